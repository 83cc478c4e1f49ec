#!/bin/bash
# "Break" in the progress dialog while a large package installs.  Escape
# and the close box do nothing.  Break, then No: the installation goes on
# and every file is whole.  Break, then Yes, twenty times at different
# moments: no message, the installer ends (the stop never hangs), and what
# is on disk is a clean prefix of the package - whole files, then at most
# one partly written file - each of them in the log, nothing after it.
# ctest-timeout: 900
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Cancel Setup"
WORK_WIN='C:\tolvane-cancel'
WORK=$(unix_path "$WORK_WIN")
FILES=(part1.bin part2.bin part3.bin part4.bin part5.bin part6.bin)
WINE_TIMEOUT=90

cleanup() {
  rm -rf "$WORK"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK"
P=$WORK/project
mkdir -p "$P/files"
for f in "${FILES[@]}"; do make_file "$P/files/$f" 16000000; done
cat >"$P/cancel.tvp" <<TVP
[Setup]
Title=Cancel Test
Caption=$CAPTION
DefaultDir=Cancel Test
FullScreen=yes
WriteLog=yes
LogPath="%installpath%\\uninstal.ini"

[File]
Source=files/*.bin
TVP
build_package "$P/cancel.tvp" "$WORK/out"

# press_break MILLISECONDS ANSWER: waits for the progress
# dialog, lets the installation run on, then Break and the answer.
press_break() {
  robot "break-$2" <<EOF || fail "Break and $2 did not go as expected (see $ARTIFACTS/break-$2.log)"
wait class=#32770 caption="$CAPTION" timeout=60
sleep $(($1 + 100))
press 1011
wait class=#32770 caption=Confirmation timeout=10
expect-text 65535 "Are you sure you want to Quit?"
answer $2
wait-gone
EOF
}

# ---- Escape, close box, then Break and No ----

TARGET_WIN="$WORK_WIN\\whole"
TARGET=$(unix_path "$TARGET_WIN")
start_install "$WORK_WIN\\out\\setup.exe" "$TARGET_WIN"
robot ignored <<EOF || fail "the running progress dialog reacted to Escape or its close box (see $ARTIFACTS/ignored.log)"
wait class=#32770 caption="$CAPTION" timeout=60
escape
close
sleep 300
expect-text 1011 Break
EOF
press_break 500 no
wait_finished 120
press_ok
wine_join || fail "setup.exe did not end"
for f in "${FILES[@]}"; do cmp -s "$TARGET/$f" "$P/files/$f" || fail "$f differs after Break and No"; done

# ---- Break and Yes at twenty moments ----

logged_files() {
  log_lines "$TARGET/uninstal.ini" | awk -F= '/^\[/ {on = ($0 == "[Files]"); next} on {print $1}' |
    sed 's/.*\\//' | tr '\n' ' '
}

for run in $(seq 1 20); do
  TARGET_WIN="$WORK_WIN\\stop$run"
  TARGET=$(unix_path "$TARGET_WIN")
  start_install "$WORK_WIN\\out\\setup.exe" "$TARGET_WIN"
  press_break $(((run * 263) % 2400)) yes
  wine_join || fail "run $run: the installer did not end after Break and Yes"
  present="" partial=0
  for f in "${FILES[@]}"; do
    [[ -f $TARGET/$f ]] || break
    ((partial == 0)) || fail "run $run: $f was written after a partly written file"
    present+="$f "
    if ! cmp -s "$TARGET/$f" "$P/files/$f"; then
      size=$(stat -c %s "$TARGET/$f")
      cmp -s -n "$size" "$TARGET/$f" "$P/files/$f" || fail "run $run: the partly written $f holds wrong bytes"
      partial=1
    fi
  done
  for f in "${FILES[@]}"; do
    [[ " $present" == *" $f "* || ! -e $TARGET/$f ]] || fail "run $run: $f exists after a gap"
  done
  [[ -z $present || $(logged_files) == "$present" ]] ||
    fail "run $run: files on disk '$present', in the log '$(logged_files)'"
  echo "run $run: $present(partly written: $partial)"
  rm -rf "$TARGET"
done

echo "install_cancel: Escape and close ignored, Break/No completes, Break/Yes stopped 20 times"
