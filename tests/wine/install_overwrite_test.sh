#!/bin/bash
# Existing target files against the overwrite modes: "always" replaces
# without asking, "keep" keeps without asking, "ask" shows the prompt with
# both files' sizes and stored UTC times (the installer runs in a time
# zone nine hours off UTC); Escape and the close box do nothing there;
# "Overwrite", "Skip", "Skip all" and "All over" each do what they say and
# the sticky answers hold for later files.  Replaced files are logged with
# "1" ("0" for mode always), kept files not at all.
# ctest-timeout: 400
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Overwrite Setup"
WORK=$(unix_path 'C:\tolvane-overwrite')
NEW_STAMP="2000-07-07 11:50:30.000000000"
OLD_STAMP="1999-12-31 23:05:00.000000000"

cleanup() {
  rm -rf "$WORK"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK"
mkdir -p "$WORK/project/files"

# The records (the tool orders a directory's files by name) and their modes.
NAMES=(a b c d e f g)
declare -A MODE=([a]=always [b]=ask [c]=ask [d]=keep [e]=ask [f]=ask [g]=always)
{
  printf '[Setup]\nTitle=Overwrite Test\nCaption=%s\nDefaultDir=Overwrite Test\nFullScreen=no\n' "$CAPTION"
  printf 'WriteLog=yes\nLogPath="%%installpath%%\\uninstal.ini"\nFileTime=2000-07-07 11:50:30\n'
  for n in "${NAMES[@]}"; do
    printf '\n[File]\nSource=files/%s.txt\nOverwrite=%s\n' "$n" "${MODE[$n]}"
  done
} >"$WORK/project/overwrite.tvp"
for n in "${NAMES[@]}"; do make_file "$WORK/project/files/$n.txt" 1057; done
build_package "$WORK/project/overwrite.tvp" "$WORK/out"

# A target directory where every file exists already: 980 bytes, older.
prepare_target() {
  rm -rf "$1"
  mkdir -p "$1"
  for n in "${NAMES[@]}"; do
    head -c 980 /dev/zero | tr '\0' x >"$1/$n.txt"
    TZ=UTC touch -d "${OLD_STAMP% *} ${OLD_STAMP#* }" "$1/$n.txt"
  done
}

# The prompt for file NAME of the target directory TARGET_WIN; the robot
# commands of standard input follow the checks.
prompt() {
  local name=$1 actions
  actions=$(cat)
  robot_until "prompt-$name" 60 <<EOF || fail "no overwrite prompt for $name.txt as expected (see $ARTIFACTS/prompt-$name.log)"
wait class=#32770 caption="$CAPTION" timeout=5
expect-text 1017 "$TARGET_WIN\\$name.txt"
expect-text 1016 "File already exists"
expect-text 1018 "Existing file"
expect-text 1019 "New file"
expect-text 1024 980
expect-text 1025 31.12.1999
expect-text 1026 23:05:00
expect-text 1027 1057
expect-text 1028 07.07.2000
expect-text 1029 11:50:30
expect-text 1020 Overwrite
expect-text 1021 "All over"
expect-text 1022 Skip
expect-text 1023 "Skip all"
$actions
EOF
}

check_target() {  # "name:new|old ..." for every file
  local item n want got stamp
  for item in $1; do
    n=${item%:*} want=${item#*:}
    got=old stamp=$OLD_STAMP
    cmp -s "$TARGET/$n.txt" "$WORK/project/files/$n.txt" && got=new stamp=$NEW_STAMP
    [[ $got == "$want" ]] || fail "$n.txt is the $got file, expected the $want one"
    [[ $(utc_time "$TARGET/$n.txt") == "$stamp" ]] || fail "$n.txt has the time $(utc_time "$TARGET/$n.txt")"
  done
}

check_files_log() {  # the expected [Files] section
  local got
  got=$(log_lines "$TARGET/uninstal.ini" | awk '/^\[/ {on = ($0 == "[Files]"); next} on')
  [[ $got == "$1" ]] || fail "[Files] of the log is:"$'\n'"$got"$'\n'"expected:"$'\n'"$1"
}

# ---- Overwrite (after Escape and the close box), Skip, Skip all ----

TARGET_WIN='C:\tolvane-overwrite\one'
TARGET=$(unix_path "$TARGET_WIN")
prepare_target "$TARGET"
TZ=Asia/Tokyo start_install "$WORK/out/setup.exe" "$TARGET_WIN"
prompt b <<'EOF'
escape
sleep 300
expect-text 1016 "File already exists"
close
sleep 300
expect-text 1016 "File already exists"
press 1020
wait-gone
EOF
prompt c <<'EOF'
press 1022
wait-gone
EOF
prompt e <<'EOF'
press 1023
wait-gone
EOF
wait_finished
press_ok
wine_join || fail "setup.exe did not end"
check_target "a:new b:new c:old d:old e:old f:old g:new"
check_files_log "$TARGET_WIN\\a.txt=0
$TARGET_WIN\\b.txt=1
$TARGET_WIN\\g.txt=0"

# ---- Skip, then All over: replaces every later file, mode keep too ----

TARGET_WIN='C:\tolvane-overwrite\two'
TARGET=$(unix_path "$TARGET_WIN")
prepare_target "$TARGET"
TZ=Asia/Tokyo start_install "$WORK/out/setup.exe" "$TARGET_WIN"
prompt b <<'EOF'
press 1022
wait-gone
EOF
prompt c <<'EOF'
press 1021
wait-gone
EOF
wait_finished
press_ok
wine_join || fail "setup.exe did not end"
check_target "a:new b:old c:new d:new e:new f:new g:new"
check_files_log "$TARGET_WIN\\a.txt=0
$TARGET_WIN\\c.txt=1
$TARGET_WIN\\d.txt=1
$TARGET_WIN\\e.txt=1
$TARGET_WIN\\f.txt=1
$TARGET_WIN\\g.txt=0"

echo "install_overwrite: modes always, keep and ask with all four answers checked"
