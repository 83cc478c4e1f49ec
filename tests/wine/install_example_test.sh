#!/bin/bash
# The example package (examples/demo with its real programs) installed for
# real through licence, readme, options and progress dialogs, answered with
# the phases of examples/demo/install.robot that the main job runs too:
# every file with its bytes and its stored UTC time, the directories, the
# uninstall log's sections and lines in the order the installation writes
# them, the tail record at the end of the uninstaller, the finished progress
# dialog with its bar at 100 %, the readme shown after the installation
# because it completed, and the demo application started at the end.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Tolvane Demo Setup"
SCENARIO=$SOURCE_DIR/examples/demo/install.robot
WORK=$(unix_path 'C:\tolvane-install-example')
DEMO=$WORK/project
TARGET_WIN='C:\Program Files\Tolvane Demo'   # the scenario keeps the proposed directory
TARGET=$(unix_path "$TARGET_WIN")
SYSTEM_DLL=$(unix_path 'C:\windows\system32\demoext.dll')
STAMP="2024-01-15 12:00:00.000000000"   # FileTime of demo.tvp

cleanup() {
  rm -rf "$WORK" "$TARGET" "$SYSTEM_DLL"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK" "$TARGET" "$SYSTEM_DLL"
"$SOURCE_DIR/examples/demo/stage.sh" "$WIN_BIN" "$DEMO" || fail "the demo project could not be staged"
"$TOOL" build "$DEMO/demo.tvp" -o "$WORK" --arch x86_64 --quiet || fail "tolvane build could not make the demo installer"

# ---- the dialogs: licence, readme, options, progress ----

wine_start "$WORK/setup.exe"
scenario_phase "$SCENARIO" dialogs | robot dialogs ||
  fail "licence, readme or options dialog not as expected (see $ARTIFACTS/dialogs.log)"
scenario_phase "$SCENARIO" finished | robot_until finished 120 ||
  fail "the progress dialog never showed its final state (see $ARTIFACTS/finished.log)"

# The bar: blue over the whole control but its last pixel column when the
# position is the maximum (the 100 % of the design).
bar=$(grep -o 'id=1028 class=Diagr .*rect=[0-9,-]*' "$ARTIFACTS/finished.log" | sed 's/.*rect=//')
IFS=, read -r left top right bottom <<<"$bar"
shot=$(screenshot finished.png)
widest=$(convert "$shot" txt:- | awk -F'[,:]' '/#0000FF/ {n[$2]++} END {m = 0; for (y in n) if (n[y] > m) m = n[y]; print m}')
((widest == right - left - 1)) ||
  fail "the bar is blue over $widest pixels of its $((right - left)) (100 % leaves the last column white; see $shot)"

scenario_phase "$SCENARIO" close | robot close ||
  fail "the finished progress dialog did not close on OK (see $ARTIFACTS/close.log)"
scenario_phase "$SCENARIO" readme | robot readme ||
  fail "no readme after the completed installation (see $ARTIFACTS/readme.log)"
scenario_phase "$SCENARIO" app | robot app ||
  fail "the demo application was not started at the end (see $ARTIFACTS/app.log)"
scenario_phase "$SCENARIO" quit | robot quit ||
  fail "the demo application did not close (see $ARTIFACTS/quit.log)"
wine_join || fail "setup.exe did not end"

# ---- files, directories, time stamps ----

check_file() {  # installed path, source path
  [[ -f $1 ]] || fail "$1 was not installed"
  cmp -s "$1" "$2" || fail "$1 differs from $2"
  [[ $(utc_time "$1") == "$STAMP" ]] || fail "$1 has the time $(utc_time "$1"), not $STAMP"
}
check_file "$TARGET/license.txt" "$DEMO/texts/license.txt"
check_file "$TARGET/readme.txt" "$DEMO/texts/readme.txt"
check_file "$TARGET/bin/demo.cfg" "$DEMO/files/bin/demo.cfg"
check_file "$TARGET/bin/demo.exe" "$DEMO/files/bin/demo.exe"
check_file "$TARGET/help/index.htm" "$DEMO/files/help/index.htm"
check_file "$TARGET/help/usage.htm" "$DEMO/files/help/usage.htm"
check_file "$SYSTEM_DLL" "$DEMO/files/system/demoext.dll"
listing=$(cd "$TARGET" && find . | sort | tr '\n' ' ')
[[ $listing == ". ./bin ./bin/demo.cfg ./bin/demo.exe ./help ./help/index.htm ./help/usage.htm ./license.txt ./readme.txt ./uninstal.exe ./uninstal.ini " ]] ||
  fail "the installation directory holds: $listing"

# ---- the tail record: a zero byte and the log path behind the uninstaller ----

log_win="$TARGET_WIN\\uninstal.ini"
size=$(stat -c %s "$DEMO/files/uninstal.exe")
cmp -s -n "$size" "$TARGET/uninstal.exe" "$DEMO/files/uninstal.exe" || fail "uninstal.exe lost its own bytes"
tail=$(tail -c +$((size + 1)) "$TARGET/uninstal.exe" | od -An -c | tr -d ' \n')
expected=$(printf '\0%s' "$log_win" | od -An -c | tr -d ' \n')
[[ $tail == "$expected" ]] || fail "uninstal.exe ends with '$tail', not a zero byte and $log_win"

# ---- the uninstall log ----

log=$(log_lines "$TARGET/uninstal.ini")
sections=$(grep '^\[' <<<"$log" | tr '\n' ' ')
[[ $sections == "[Before] [Directories] [Messages] [Files] "* ]] || fail "log sections in the order: $sections"

section() { awk -v s="[$1]" '/^\[/ {on = ($0 == s); next} on' <<<"$log"; }
expect_section() {
  local got
  got=$(section "$1")
  [[ $got == "$2" ]] || fail "log section [$1] is:"$'\n'"$got"$'\n'"expected:"$'\n'"$2"
}
expect_section Before $'App=\nParam=\nFunc='
expect_section Directories "$TARGET_WIN=0
$TARGET_WIN\\bin=0
$TARGET_WIN\\help=0"
expect_section Files "$TARGET_WIN\\license.txt=0
$TARGET_WIN\\readme.txt=0
$TARGET_WIN\\uninstal.exe=0
$TARGET_WIN\\bin\\demo.cfg=0
$TARGET_WIN\\bin\\demo.exe=0
$TARGET_WIN\\help\\index.htm=0
$TARGET_WIN\\help\\usage.htm=0
C:\\windows\\system32\\demoext.dll=0"

messages=$(section Messages)
keys=$(cut -d= -f1 <<<"$messages" | tr '\n' ' ')
[[ $keys == "$(echo {150..170} {237..251} 0) " ]] || fail "log message keys: $keys"
grep -qxF '166=It'"'"'s wrong size %s. Its length is %lu bytes, but it must be %lu bytes!' <<<"$messages" ||
  fail "message 166 is not logged as its text"
grep -qxF '251=Uninstall has finished successfully!' <<<"$messages" || fail "message 251 is not logged as its text"
[[ $(tail -n 1 <<<"$messages") == "0=Tolvane Demo 1.0" ]] || fail "the title is not the last Messages key"

echo "install_example: files, times, directories, log, tail record, bar and readme checked"
