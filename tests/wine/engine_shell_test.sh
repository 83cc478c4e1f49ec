#!/bin/bash
# The engine's shell under Wine, in installers made by `tolvane build`: the
# main window "Tolvane" with the package caption, maximised or minimised;
# the licence dialog (accept, decline with No and with Yes, Escape, close
# box); the readme with button text 161; a package without licence and
# readme; the package in disk1.pak beside a 53368-byte executable, found
# there or picked in the file dialog, and a cancelled file dialog; a
# damaged package header.  Keeps a screenshot of the backdrop with the
# licence dialog over it (backdrop-licence.png).
# ctest-timeout: 600
source "$SOURCE_DIR/tests/wine/harness.sh"

WINE_TIMEOUT=60
WORK_WIN='C:\tolvane-engine-shell'
WORK=$(unix_path "$WORK_WIN")
ENGINE_FILE=tolvaeng.dll
TEMP_WIN=$(wine cmd /c 'echo %TEMP%' | tr -d '\r')
PACKAGE_BASE=53368

cleanup() {
  rm -rf "$WORK"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK"
# A module file that an earlier failed run left must not fail this one.
rm -f "$(unix_path "${TEMP_WIN%\\}\\$ENGINE_FILE")"
mkdir -p "$WORK/project/texts" "$WORK/project/files"

# ---- the packages ----

P=$WORK/project
printf 'ENGINE TEST LICENCE\r\n\r\nYou may use this test package.\r\n' >"$P/texts/licence.txt"
printf 'ENGINE TEST README\r\n\r\nNotes on the test package.\r\n' >"$P/texts/readme.txt"
echo "hello" >"$P/files/hello.txt"

cat >"$P/full.tvp" <<'TVP'
[Setup]
Title=Engine Test 2.0
Caption=Engine Test Setup
DefaultDir=Engine Test
FullScreen=yes
BackgroundColour=10,10,255
TitleColour=255,255,255
ShadowColour=0,0,0
Licence=texts/licence.txt
Readme=texts/readme.txt

[File]
Source=files/hello.txt
TVP

cat >"$P/plain.tvp" <<'TVP'
[Setup]
Title=Plain Test
Caption=Plain Setup
DefaultDir=Plain Test
FullScreen=no

[File]
Source=files/hello.txt
TVP

cat >"$P/volumes.tvp" <<'TVP'
[Setup]
Title=Volume Test
Caption=Volume Setup
DefaultDir=Volume Test
Licence=texts/licence.txt
VolumeSize=1000000

[File]
Source=files/hello.txt
TVP

for name in full plain volumes; do
  "$TOOL" build "$P/$name.tvp" -o "$WORK/$name" --arch x86_64 --quiet ||
    fail "tolvane build could not make the $name installer"
done
size=$(stat -c %s "$WORK/volumes/setup.exe")
((size == PACKAGE_BASE)) || fail "the installer with disk1.pak is $size bytes, not $PACKAGE_BASE"
[[ -f $WORK/volumes/disk1.pak ]] || fail "tolvane build wrote no disk1.pak"

# ---- helpers ----

# robot NAME < script: runs a robot script; its transcript is kept.
robot() {
  local script="$ARTIFACTS/$1.robot" transcript="$ARTIFACTS/$1.transcript" rc=0
  cat >"$script"
  wine_run "$WIN_BIN/robot.exe" "$(win_path "$script")" >"$transcript" || rc=$?
  ((rc == 0)) || { cat "$transcript" >&2; fail "robot script $1 failed (exit $rc)"; }
}

start_installer() {
  cd "$DRIVE_C"
  wine_start "$1"
}

# The installer ends by itself, with exit code 0, and its engine module file
# is gone.
expect_installer_ended() {
  local rc=0 module
  wine_join || rc=$?
  ((rc == 0)) || fail "$1: the installer exited with $rc"
  module=$(unix_path "${TEMP_WIN%\\}\\$ENGINE_FILE")
  [[ ! -e $module ]] || fail "$1: $module remains after the run"
}

# Leaves the options dialog (the step after the readme) with Exit and Yes.
OPTIONS_EXIT='press 1007
wait class=#32770 caption=Confirmation timeout=10
answer yes'

# ---- licence and readme ----

start_installer "$WORK_WIN\\full\\setup.exe"
robot licence <<'R'
wait class=Tolvane caption="Engine Test Setup" timeout=30
expect-state maximized
wait class=#32770 caption="License agreement" timeout=30
expect-text 1007 Yes
expect-text 1008 No
expect-text 1005 "Please read the following license agreement."
expect-text 1006 "Do you agree to the terms of this agreement?"
expect-text-contains 1004 "ENGINE TEST LICENCE"
expect-text-contains 1004 "You may use this test package."
expect-focus 1007
R
sleep 1
screenshot backdrop-licence.png

robot licence-decline-no <<'R'
wait class=#32770 caption="License agreement" timeout=10
press 1008
wait class=#32770 caption=Confirmation timeout=10
expect-text 65535 "Are you sure you want to Quit?"
answer no
wait-gone class=#32770 caption=Confirmation timeout=10
wait class=#32770 caption="License agreement" timeout=10
escape
wait class=#32770 caption=Confirmation timeout=10
answer no
wait-gone class=#32770 caption=Confirmation timeout=10
wait class=#32770 caption="License agreement" timeout=10
close
wait class=#32770 caption=Confirmation timeout=10
answer no
wait-gone class=#32770 caption=Confirmation timeout=10
wait class=#32770 caption="License agreement" timeout=10
press 1007
wait class=#32770 caption=Readme timeout=10
expect-text 1010 OK
expect-text-contains 1009 "ENGINE TEST README"
expect-text-contains 1009 "Notes on the test package."
press 1010
wait-gone class=#32770 caption=Readme timeout=10
wait class=#32770 caption="Engine Test Setup" timeout=10
R
robot leave-options <<<"wait class=#32770 caption=\"Engine Test Setup\" timeout=10
$OPTIONS_EXIT
wait-gone class=Tolvane timeout=20"
expect_installer_ended "licence accepted"

start_installer "$WORK_WIN\\full\\setup.exe"
robot licence-decline-yes <<'R'
wait class=#32770 caption="License agreement" timeout=30
press 1008
wait class=#32770 caption=Confirmation timeout=10
answer yes
wait-gone class=Tolvane timeout=20
R
expect_installer_ended "licence declined"

# The readme's Escape closes it as well; the sequence goes on.
start_installer "$WORK_WIN\\full\\setup.exe"
robot readme-escape <<<"wait class=#32770 caption=\"License agreement\" timeout=30
press 1007
wait class=#32770 caption=Readme timeout=10
escape
wait-gone class=#32770 caption=Readme timeout=10
wait class=#32770 caption=\"Engine Test Setup\" timeout=10
$OPTIONS_EXIT
wait-gone class=Tolvane timeout=20"
expect_installer_ended "readme escaped"

# ---- no licence, no readme, not full screen ----

start_installer "$WORK_WIN\\plain\\setup.exe"
robot plain <<<"wait class=Tolvane caption=\"Plain Setup\" timeout=30
expect-state minimized
wait class=#32770 caption=\"Plain Setup\" timeout=10
$OPTIONS_EXIT
wait-gone class=Tolvane timeout=20"
expect_installer_ended "no licence and readme"

# ---- the package in disk1.pak ----

start_installer "$WORK_WIN\\volumes\\setup.exe"
robot volume-beside <<'R'
wait class=Tolvane caption="Volume Setup" timeout=30
wait class=#32770 caption="License agreement" timeout=30
expect-text-contains 1004 "ENGINE TEST LICENCE"
press 1008
wait class=#32770 caption=Confirmation timeout=10
answer yes
wait-gone class=Tolvane timeout=20
R
expect_installer_ended "disk1.pak beside the executable"

mkdir -p "$WORK/elsewhere"
mv "$WORK/volumes/disk1.pak" "$WORK/elsewhere/disk1.pak"

start_installer "$WORK_WIN\\volumes\\setup.exe"
robot volume-cancel <<'R'
wait class=#32770 caption=Open timeout=30
expect-text-contains 1136 "Archive Files (disk1.pak)"
press 2
wait-gone class=#32770 caption=Open timeout=10
R
expect_installer_ended "file dialog cancelled"

start_installer "$WORK_WIN\\volumes\\setup.exe"
robot volume-picked <<<"wait class=#32770 caption=Open timeout=30
set-text 1148 \"$WORK_WIN\\elsewhere\\disk1.pak\"
press 1
wait class=#32770 caption=\"License agreement\" timeout=30
expect-text-contains 1004 \"ENGINE TEST LICENCE\"
press 1008
wait class=#32770 caption=Confirmation timeout=10
answer yes
wait-gone class=Tolvane timeout=20"
expect_installer_ended "disk1.pak picked in the file dialog"

# ---- a damaged package header ----

# patch_u32 FILE OFFSET VALUE: a little-endian number into FILE.
patch_u32() {
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($3 & 255)) $((($3 >> 8) & 255)) \
    $((($3 >> 16) & 255)) $((($3 >> 24) & 255)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

HEADER=$((PACKAGE_BASE + 4))
# name: field offset in the header, value
for damage in "licence-too-long 26 65536" "licence-beyond-end 22 4000000" "strings-beyond-end 4 4000000"; do
  set -- $damage
  cp "$WORK/full/setup.exe" "$WORK/full/$1.exe"
  patch_u32 "$WORK/full/$1.exe" $((HEADER + $2)) "$3"
  start_installer "$WORK_WIN\\full\\$1.exe"
  robot "$1" <<'R'
wait class=#32770 caption=Error timeout=30
expect-text 65535 "Reading resource of archive."
answer ok
wait-gone class=#32770 caption=Error timeout=10
R
  expect_installer_ended "$1"
done

echo "engine shell: all scenarios passed"
