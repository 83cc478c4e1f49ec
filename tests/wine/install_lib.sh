# Helpers for the installation tests (install_*_test.sh): build a package
# with `tolvane build`, run its setup.exe under Wine and drive the options
# and progress dialogs with the robot.  Sourced after harness.sh; the test
# sets CAPTION (the package caption) before it uses them.

DONE_TEXT="Install complete succesfully"

# build_package PROJECT OUTDIR: the x86_64 installer of PROJECT in OUTDIR.
build_package() {
  rm -rf "$2"
  "$TOOL" build "$1" -o "$2" --arch x86_64 --quiet || fail "tolvane build could not make $2 from $1"
}

# robot NAME: runs the robot script read from standard input; the script
# and its transcript stay in $ARTIFACTS as NAME.rbt and NAME.log.
robot() {
  local script="$ARTIFACTS/$1.rbt"
  cat >"$script"
  wine_run "$WIN_BIN/robot.exe" "$(win_path "$script")" "$(win_path "$ARTIFACTS/$1.log")" >/dev/null
}

# scenario_phase FILE NAME: phase NAME of a robot scenario file (its lines
# from "## NAME" to the next "## " line), for robot or robot_until; fails
# when the file has no such phase.
scenario_phase() {
  awk -v start="## $2" '$0 == start {on = found = 1; next} /^## / {on = 0} on; END {exit !found}' "$1"
}

# robot_until NAME SECONDS: runs the script of standard input again and
# again until it passes; 1 when it never did.
robot_until() {
  local script="$ARTIFACTS/$1.rbt" limit=$((SECONDS + $2))
  cat >"$script"
  until wine_run "$WIN_BIN/robot.exe" "$(win_path "$script")" "$(win_path "$ARTIFACTS/$1.log")" >/dev/null; do
    ((SECONDS < limit)) || return 1
    sleep 0.3
  done
}

# start_install EXE DIR: starts the installer and takes its options dialog
# with the installation directory DIR (a Windows path).
start_install() {
  wine_start "$1"
  robot options <<EOF || fail "the options dialog of $1 was not answered (see $ARTIFACTS/options.log)"
wait class=#32770 caption="$CAPTION" timeout=60
set-text 1010 "$2"
press 1
wait-gone
EOF
}

# wait_finished [SECONDS]: waits until the progress dialog shows the final
# state; the dialog stays the robot's current window for the caller.
wait_finished() {
  robot_until finished "${1:-120}" <<EOF || fail "the progress dialog never showed \"$DONE_TEXT\" (see $ARTIFACTS/finished.log)"
wait class=#32770 caption="$CAPTION" timeout=5
expect-text 1012 "$DONE_TEXT"
expect-text 1011 OK
EOF
}

# press_ok: presses "OK" in the finished progress dialog.
press_ok() {
  robot ok <<EOF || fail "the finished progress dialog did not close on OK (see $ARTIFACTS/ok.log)"
wait class=#32770 caption="$CAPTION" timeout=10
press 1011
wait-gone
EOF
}

# install EXE DIR: a whole installation that ends with "OK"; the installer
# must have ended when it returns.
install() {
  start_install "$1" "$2"
  wait_finished
  press_ok
  wine_join || fail "setup.exe did not end after the installation"
}

# expect_failure TEXT: the message box after a failed installation shows
# TEXT; it is answered, and the installer must end.  The box has the
# caption of the progress dialog before it, so the robot tries again until
# the window it finds is the box with that text.
expect_failure() {
  robot_until failure 60 <<EOF || fail "no message box \"$1\" (see $ARTIFACTS/failure.log)"
wait class=#32770 caption="$CAPTION" timeout=5
expect-text 65535 "$1"
answer ok
wait-gone
EOF
  wine_join || fail "setup.exe did not end after the message \"$1\""
}

# utc_time FILE: modification time of FILE as "YYYY-MM-DD HH:MM:SS.nnnnnnnnn".
utc_time() {
  TZ=UTC stat -c %y "$1" | cut -d' ' -f1,2
}

# log_lines FILE: the lines of an INI file written by Windows, without CRs.
log_lines() {
  tr -d '\r' <"$1"
}

# A file of N bytes of mixed content (compressible, not trivial).
make_file() {
  head -c "$2" < <(yes "tolvane test data $2 $(basename "$1") 0123456789 abcdefghijklmnopqrstuvwxyz") >"$1"
}
