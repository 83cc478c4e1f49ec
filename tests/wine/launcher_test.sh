#!/bin/bash
# launcher.exe under Wine, with stand-in engine modules
# (tests/wine/programs/stub_engine): the setup context it hands over, where
# the module file goes and that it is gone afterwards, the three error
# messages read with the robot, and the single-instance guard.
source "$SOURCE_DIR/tests/wine/harness.sh"

WORK="$ARTIFACTS/work"
INSTALL_WIN='C:\tolvane-launcher'
INSTALL_DIR=$(unix_path "$INSTALL_WIN")
ENGINE_FILE=tolvaeng.dll
REPORT=stub_engine.txt      # what the stub writes beside the installer
WAIT_FLAG=stub_engine.wait  # makes the stub show a "Tolvane" window and wait
# Drive letters of this test: a drive whose root holds an installer, and
# one whose root serves as the temporary directory.
ROOT_DRIVE=r:
TEMP_DRIVE=t:

TEMP_WIN=$(wine cmd /c 'echo %TEMP%' | tr -d '\r')
[[ $TEMP_WIN == *\\ ]] || TEMP_WIN="$TEMP_WIN\\"
WINDOWS_WIN='C:\windows'

cleanup() {
  rm -f "$WINEPREFIX/dosdevices/$ROOT_DRIVE" "$WINEPREFIX/dosdevices/$TEMP_DRIVE"
  rm -rf "$INSTALL_DIR"
  rmdir "$(unix_path "$TEMP_WIN$ENGINE_FILE")" "$(unix_path "$WINDOWS_WIN\\$ENGINE_FILE")" 2>/dev/null || true
  harness_exit
}
trap cleanup EXIT

mkdir -p "$WORK/root-drive" "$WORK/temp-drive"
ln -sfn "$WORK/root-drive" "$WINEPREFIX/dosdevices/$ROOT_DRIVE"
ln -sfn "$WORK/temp-drive" "$WINEPREFIX/dosdevices/$TEMP_DRIVE"

# ---- helpers ----

# build_installer NAME ENGINE_DLL: $WORK/NAME/setup.exe with our launcher
# and ENGINE_DLL as its engine module, made by the authoring tool.
build_installer() {
  local name=$1 engine=$2 dir="$WORK/$1"
  mkdir -p "$dir/stubs"
  cp "$WIN_BIN/launcher.exe" "$dir/stubs/launcher.exe"
  cp "$engine" "$dir/stubs/$ENGINE_FILE"
  printf '[Setup]\nTitle=Launcher test\nDefaultDir=Launcher test\n' >"$dir/project.tvp"
  "$TOOL" build "$dir/project.tvp" -o "$dir" --arch x86_64 --stubs "$dir/stubs" --quiet ||
    fail "tolvane build could not make the $name installer"
}

# patch_bytes FILE OFFSET HEX: overwrites bytes of FILE at OFFSET.
patch_bytes() {
  printf "$(sed 's/../\\x&/g' <<<"$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# The test's own drives, then those of the harness.
host_path() {
  case ${1:0:2} in
    "${ROOT_DRIVE^^}") echo "$WORK/root-drive${1:2}" | tr '\\' / ;;
    *) unix_path "$1" ;;
  esac
}

# place INSTALLER WINPATH: copies the installer to WINPATH, with no report
# of an earlier run beside it.
place() {
  local target
  target=$(host_path "$2")
  mkdir -p "$(dirname "$target")"
  cp "$1" "$target"
  rm -f "$(dirname "$target")/$REPORT"
}

# run_launcher WINPATH: runs it from drive C:'s root and expects exit code 0.
run_launcher() {
  local rc=0
  (cd "$DRIVE_C" && wine_run "$1") || rc=$?
  ((rc == 0)) || fail "$1 exited with $rc; the launcher exits with 0 on every path"
}

report_value() {
  local line
  line=$(grep -m1 "^$2=" "$1" | tr -d '\r') || return 1
  echo "${line#*=}"
}

# expect_report REPORTFILE KEY VALUE
expect_report() {
  local value
  [[ -f $1 ]] || fail "the stub engine wrote no report $1"
  value=$(report_value "$1" "$2") || fail "$1 has no $2 line"
  [[ $value == "$3" ]] || fail "$1: $2 is '$value', expected '$3'"
}

expect_runs() {
  local runs
  runs=$(grep -c '^run=' "$1" 2>/dev/null || true)
  [[ $runs == "$2" ]] || fail "$1 records ${runs:-0} engine runs, expected $2"
}

expect_no_engine_file() {
  local dir path
  for dir in "$@"; do
    path=$(unix_path "${dir%\\}\\$ENGINE_FILE")
    [[ ! -f $path ]] || fail "$path remains after the launcher ended"
  done
}

# robot NAME < script: runs a robot script; its transcript is kept as an
# artifact.
robot() {
  local script="$ARTIFACTS/$1.robot" transcript="$ARTIFACTS/$1.transcript" rc=0
  cat >"$script"
  wine_run "$WIN_BIN/robot.exe" "$(win_path "$script")" >"$transcript" || rc=$?
  ((rc == 0)) || { cat "$transcript" >&2; fail "robot script $1 failed (exit $rc)"; }
}

# The paths that do not depend on where the installer is.
expect_system_paths() {
  expect_report "$1" windowsDir "$WINDOWS_WIN"
  expect_report "$1" systemDir "$WINDOWS_WIN\\system32"
  expect_report "$1" moduleHandle own
}

STUB_SIZE=$(stat -c %s "$WIN_BIN/stub_engine.dll")
build_installer stub "$WIN_BIN/stub_engine.dll"
build_installer no-entry "$WIN_BIN/no_entry.dll"
STUB_SETUP="$WORK/stub/setup.exe"

# ---- a normal run ----

setup_win="$INSTALL_WIN\\normal\\setup.exe"
place "$STUB_SETUP" "$setup_win"
run_launcher "$setup_win"
report="$INSTALL_DIR/normal/$REPORT"
expect_runs "$report" 1
expect_report "$report" modulePath "$setup_win"
expect_report "$report" volumePath "$setup_win"
expect_report "$report" exeDir "$INSTALL_WIN\\normal"
expect_report "$report" volumeDir "$INSTALL_WIN\\normal"
expect_report "$report" tempDir "$TEMP_WIN"
expect_report "$report" engineFile "$TEMP_WIN$ENGINE_FILE"
expect_system_paths "$report"
expect_report "$report" decodedSize "$STUB_SIZE"
expect_report "$report" engineFileSize "$STUB_SIZE"
expect_report "$report" output "module file"
expect_report "$report" decode "module file"
expect_report "$report" end ""
expect_no_engine_file "$TEMP_WIN"

# ---- an installer in a drive's root: exeDir is the drive alone ----

setup_win="${ROOT_DRIVE^^}\\setup.exe"
place "$STUB_SETUP" "$setup_win"
run_launcher "$setup_win"
report="$WORK/root-drive/$REPORT"
expect_report "$report" modulePath "$setup_win"
expect_report "$report" exeDir "${ROOT_DRIVE^^}"
expect_report "$report" volumeDir "${ROOT_DRIVE^^}"
expect_report "$report" end ""

# ---- the temporary directory and the current directory ----
# run_with_temp TEMP CURRENT WINPATH: the launcher with TMP and TEMP set,
# started in the directory CURRENT.
run_with_temp() {
  local rc=0
  wine_run cmd /c "set TMP=$1& set TEMP=$1& cd /d $2& $3" || rc=$?
  ((rc == 0)) || fail "$3 exited with $rc with TEMP=$1 in $2"
}

setup_win="$INSTALL_WIN\\temp\\setup.exe"
report="$INSTALL_DIR/temp/$REPORT"
# Equal, written in another case: "c:\" stands in for the temporary path.
place "$STUB_SETUP" "$setup_win"
run_with_temp "$TEMP_DRIVE\\" "${TEMP_DRIVE^^}\\" "$setup_win"
expect_report "$report" tempDir 'c:\'
expect_report "$report" engineFile "c:\\$ENGINE_FILE"
expect_no_engine_file 'C:\'
[[ ! -e $WORK/temp-drive/$ENGINE_FILE ]] || fail "the module file went to the current directory"
# Different: the temporary path stays; its backslash is not doubled.
place "$STUB_SETUP" "$setup_win"
run_with_temp "$TEMP_DRIVE\\" 'C:\' "$setup_win"
expect_report "$report" tempDir "$TEMP_DRIVE\\"
expect_report "$report" engineFile "$TEMP_DRIVE\\$ENGINE_FILE"
[[ ! -e $WORK/temp-drive/$ENGINE_FILE ]] || fail "$TEMP_DRIVE\\$ENGINE_FILE remains after the launcher ended"

# ---- no module file possible in the temporary directory ----
# A directory of the module file's name blocks it, even for root.

temp_block=$(unix_path "$TEMP_WIN$ENGINE_FILE")
windows_block=$(unix_path "$WINDOWS_WIN\\$ENGINE_FILE")
mkdir "$temp_block"
setup_win="$INSTALL_WIN\\fallback\\setup.exe"
place "$STUB_SETUP" "$setup_win"
run_launcher "$setup_win"
report="$INSTALL_DIR/fallback/$REPORT"
expect_report "$report" tempDir "$WINDOWS_WIN"
expect_report "$report" engineFile "$WINDOWS_WIN\\$ENGINE_FILE"
expect_report "$report" end ""
expect_no_engine_file "$WINDOWS_WIN"

# ... nor in the Windows directory: "Don't create" with the second path.
mkdir "$windows_block"
setup_win="$INSTALL_WIN\\nowhere\\setup.exe"
place "$STUB_SETUP" "$setup_win"
wine_start "$setup_win"
robot cannot-create <<EOF
wait class=#32770 caption="Error" timeout=30
expect-text 65535 "Don't create $WINDOWS_WIN\\$ENGINE_FILE"
answer ok
wait-gone
EOF
rc=0
wine_join || rc=$?
((rc == 0)) || fail "the launcher exited with $rc after \"Don't create\""
[[ ! -e $INSTALL_DIR/nowhere/$REPORT ]] || fail "an engine ran although no module file could be created"
rmdir "$temp_block" "$windows_block"

# ---- engine blocks that give no usable module: "Don't load" ----
# name | installer | patch offset | patch bytes
damaged_cases=(
  "damaged-stream|$STUB_SETUP|20200|5555555555555555555555555555555555555555"
  "no-entry|$WORK/no-entry/setup.exe||"
)
for case in "${damaged_cases[@]}"; do
  IFS='|' read -r name installer offset bytes <<<"$case"
  mkdir -p "$WORK/$name"
  cp "$installer" "$WORK/$name/damaged.exe"
  [[ -z $offset ]] || patch_bytes "$WORK/$name/damaged.exe" "$offset" "$bytes"
  setup_win="$INSTALL_WIN\\$name\\setup.exe"
  place "$WORK/$name/damaged.exe" "$setup_win"
  wine_start "$setup_win"
  robot "$name" <<EOF
wait class=#32770 caption="Error" timeout=30
expect-text 65535 "Don't load $TEMP_WIN$ENGINE_FILE"
answer ok
wait-gone
EOF
  rc=0
  wine_join || rc=$?
  ((rc == 0)) || fail "$name: the launcher exited with $rc after \"Don't load\""
  [[ ! -e $INSTALL_DIR/$name/$REPORT ]] || fail "$name: an engine ran"
  expect_no_engine_file "$TEMP_WIN" "$WINDOWS_WIN"
done

# A size field beyond the 65535-byte buffer: the module file gets the
# buffer's 65535 bytes, no more (the decoded stub followed by whatever the
# filler decodes to), and the stub still runs.
cp "$STUB_SETUP" "$WORK/oversize.exe"
patch_bytes "$WORK/oversize.exe" 19968 ffffffff
setup_win="$INSTALL_WIN\\oversize\\setup.exe"
place "$WORK/oversize.exe" "$setup_win"
run_launcher "$setup_win"
report="$INSTALL_DIR/oversize/$REPORT"
expect_report "$report" decodedSize 4294967295
expect_report "$report" engineFileSize 65535
expect_report "$report" output "module file"
expect_no_engine_file "$TEMP_WIN"

# ---- the single-instance guard ----

setup_win="$INSTALL_WIN\\guard\\setup.exe"
place "$STUB_SETUP" "$setup_win"
touch "$INSTALL_DIR/guard/$WAIT_FLAG"
report="$INSTALL_DIR/guard/$REPORT"
wine_start "$setup_win"
robot first-start <<'EOF'
wait class=Tolvane caption="Stub engine" timeout=30
expect-state normal
EOF
engine_file=$(unix_path "$TEMP_WIN$ENGINE_FILE")
before=$(stat -c %Y.%s "$engine_file") || fail "no module file while the first installer runs"

# A second start of the same file: ends at once, touches no file, and
# leaves the first one's window maximised.
run_launcher "$setup_win"
[[ $(stat -c %Y.%s "$engine_file") == "$before" ]] || fail "the second start rewrote $engine_file"
expect_no_engine_file "$WINDOWS_WIN"
expect_runs "$report" 1

# A copy of the installer elsewhere is another executable: not blocked.
other_win="$INSTALL_WIN\\guard-other\\setup.exe"
place "$STUB_SETUP" "$other_win"
run_launcher "$other_win"
expect_report "$INSTALL_DIR/guard-other/$REPORT" end ""

robot second-start <<'EOF'
wait class=Tolvane caption="Stub engine" timeout=10
expect-state maximized
EOF
screenshot second-start.png >/dev/null
robot close-first <<'EOF'
wait class=Tolvane caption="Stub engine"
close
wait-gone timeout=20
EOF
rc=0
wine_join || rc=$?
((rc == 0)) || fail "the first installer exited with $rc"
expect_runs "$report" 1
expect_report "$report" end ""
expect_no_engine_file "$TEMP_WIN" "$WINDOWS_WIN"

# A second start while the first has no main window (here: it shows an
# error) ends silently: no second message box.
setup_win="$INSTALL_WIN\\guard-busy\\setup.exe"
place "$WORK/no-entry/setup.exe" "$setup_win"
wine_start "$setup_win"
robot busy-first <<'EOF'
wait class=#32770 caption="Error" timeout=30
EOF
run_launcher "$setup_win"
robot busy-second <<'EOF'
wait class=#32770 caption="Error"
answer ok
wait-gone
wait-gone class=#32770 caption="Error" timeout=3
EOF
rc=0
wine_join || rc=$?
((rc == 0)) || fail "the first installer exited with $rc"

wine_wait 30 || fail "programs left running"
echo "launcher: context paths, module file placement and removal, errors and the instance guard checked"
