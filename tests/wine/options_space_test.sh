#!/bin/bash
# The free-space check of the options dialog on a real small disk: a
# 512 KB tmpfs mapped to a Wine drive letter.  A package one kilobyte larger
# than the free space gives message 252 with both figures and creates
# nothing; one exactly as large as the free space passes and installs.
# Needs root (mount); the mount goes away even when the test fails.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"
source "$SOURCE_DIR/tests/wine/choices_lib.sh"

CAPTION="Space Setup"
WORK=$(unix_path 'C:\tolvane-space')
FREE_KB=512
MOUNT_DIR=""
DRIVE=""

cleanup() {
  wine_end_programs
  [[ -n $DRIVE ]] && rm -f "$WINEPREFIX/dosdevices/$DRIVE"
  if [[ -n $MOUNT_DIR ]]; then
    umount "$MOUNT_DIR" 2>/dev/null || umount -l "$MOUNT_DIR" 2>/dev/null || true
    rmdir "$MOUNT_DIR" 2>/dev/null || true
  fi
  rm -rf "$WORK" "$(unix_path "$SETUP_DIR_WIN")"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK"

MOUNT_DIR=$(mktemp -d /tmp/tolvane-space.XXXXXX)
mount -t tmpfs -o size=${FREE_KB}k tolvane-space "$MOUNT_DIR" ||
  fail "cannot mount a tmpfs on $MOUNT_DIR (the test needs root)"
for letter in m n o p q r s t u v w x y; do
  [[ -e $WINEPREFIX/dosdevices/$letter: || -L $WINEPREFIX/dosdevices/$letter: ]] && continue
  DRIVE=$letter:
  break
done
[[ -n $DRIVE ]] || fail "no free drive letter in $WINEPREFIX/dosdevices"
ln -s "$MOUNT_DIR" "$WINEPREFIX/dosdevices/$DRIVE"
ROOT=${DRIVE^^}

choices_package larger $(((FREE_KB + 1) * 1024)) <<<'WriteLog=no'
choices_package equal $((FREE_KB * 1024)) <<<'WriteLog=no'

start_setup larger
robot larger <<EOF || fail "no space message (see $ARTIFACTS/larger.log)"
wait class=#32770 caption="$CAPTION" timeout=10
expect-text 1006 "Required $((FREE_KB + 1)) Kbytes"
set-text 1010 "$ROOT\\Larger\\Deeper"
press 1
wait class=#32770 caption="Attention!" timeout=10
expect-text 65535 "You have $FREE_KB kbytes free space, but need $((FREE_KB + 1)) kbytes."
EOF
screenshot no-space.png >/dev/null
robot larger-stays <<EOF || fail "the options dialog did not stay (see $ARTIFACTS/larger-stays.log)"
wait class=#32770 caption="Attention!" timeout=10
answer ok
wait-gone
wait class=#32770 caption="$CAPTION" timeout=10
expect-text 1010 "$ROOT\\Larger\\Deeper"
press 1007
wait class=#32770 caption="Confirmation" timeout=10
answer yes
EOF
finish_setup
[[ -z $(ls -A "$MOUNT_DIR") ]] || fail "the refused package created $(ls -A "$MOUNT_DIR") on $ROOT"

start_setup equal
robot equal <<EOF || fail "options of the package as large as the free space (see $ARTIFACTS/equal.log)"
wait class=#32770 caption="$CAPTION" timeout=10
set-text 1010 "$ROOT\\Equal"
press 1
wait-gone
EOF
wait_finished
press_ok
finish_setup
[[ $(stat -c %s "$MOUNT_DIR/Equal/app.txt" 2>/dev/null) == $((FREE_KB * 1024)) ]] ||
  fail "the package of exactly $FREE_KB KB was not installed on $ROOT"
echo "options space: $((FREE_KB + 1)) KB refused with message 252, $FREE_KB KB installed on a $FREE_KB KB disk"
