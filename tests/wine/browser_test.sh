#!/bin/bash
# The directory browser, opened by Browse in the options dialog: it starts
# in the destination's directory and lists its path and its subdirectories
# (dot-directories left out) with their levels and item data; path lines
# and subdirectories open by double click or Enter; a directory that cannot
# be entered gives message 153, a drive that cannot be read message 152;
# Tab and Escape do nothing while the list has the focus; Cancel keeps the
# destination, OK returns the edit text as typed, and browsing leaves the
# current directory where it ended.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"
source "$SOURCE_DIR/tests/wine/choices_lib.sh"

CAPTION="Browse Setup"
BROWSER="Select directory"
WORK=$(unix_path 'C:\tolvane-browse')
TREE=$(unix_path 'C:\A')
DRIVE=""
DRIVE_TARGET=""

cleanup() {
  wine_end_programs
  [[ -n $DRIVE ]] && wine "$WIN_BIN/dos_device.exe" "$DRIVE" >/dev/null 2>&1
  rm -rf "$WORK" "$TREE" "$DRIVE_TARGET" "$(unix_path "$SETUP_DIR_WIN")"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK" "$TREE"

mkdir -p "$TREE/B/sub1/deeper" "$TREE/B/Sub2" "$TREE/B/with space" "$TREE/B/.hidden" "$TREE/B/gone" "$TREE/Other"
touch "$TREE/B/file.txt"
# A drive (like one made by subst) that is there when the browser starts
# and cannot be read when it is chosen.
DRIVE_TARGET=$(mktemp -d /tmp/tolvane-browse-drive.XXXXXX)
DRIVE=K:
wine_run "$WIN_BIN/dos_device.exe" "$DRIVE" "$(win_path "$DRIVE_TARGET")" || fail "cannot define drive $DRIVE"

choices_package browse 100 <<<'WriteLog=no'

# expect_items LOG N EXPECTED: the N-th item list of the transcript LOG.
expect_items() {
  local seen
  seen=$(list_items "$1" "$2")
  [[ $seen == "$3" ]] || fail "item list $2 of $1 is"$'\n'"$seen"$'\n'"not"$'\n'"$3"
}

start_setup browse
robot open <<EOF || fail "the browser's start (see $ARTIFACTS/open.log)"
wait class=#32770 caption="$CAPTION" timeout=10
set-text 1010 "C:\A\B"
press 1002
wait class=#32770 caption="$BROWSER" timeout=10
expect-text 1001 "C:\A\B"
expect-text 1 "OK"
expect-text 2 "Cancel"
expect-text 1000 "c: "
expect-focus 1002
items 1002
items 1000
EOF
screenshot browser.png >/dev/null
expect_items "$ARTIFACTS/open.log" 1 '000C:\ 1
001A 1
002B 2
003gone 3
003sub1 3
003Sub2 3
003with space 3'
drives=$(list_items "$ARTIFACTS/open.log" 2)
[[ $drives == $'c:  3\nk:  1\nz:  3' ]] || fail "the drive list is"$'\n'"$drives"

# ---- keys while the list has the focus; opening items ----

robot walk <<EOF || fail "walking the tree (see $ARTIFACTS/walk.log)"
wait class=#32770 caption="$BROWSER" timeout=10
key 1002 tab
key 1002 escape
sleep 300
expect-caption "$BROWSER"
expect-focus 1002
key 1002 enter
expect-text 1001 "C:\A\B"
select-list 1002 4
key 1002 enter
expect-text 1001 "C:\A\B\sub1"
items 1002
select-list 1002 1 double
expect-text 1001 "C:\A"
items 1002
select-list 1002 2 double
expect-text 1001 "C:\A\B"
expect-focus 1002
EOF
expect_items "$ARTIFACTS/walk.log" 1 '000C:\ 1
001A 1
002B 1
003sub1 2
004deeper 3'
expect_items "$ARTIFACTS/walk.log" 2 '000C:\ 1
001A 2
002B 3
002Other 3'

# ---- a directory and a drive that cannot be entered ----

rmdir "$TREE/B/gone"
rmdir "$DRIVE_TARGET"
robot unreadable <<EOF || fail "unreadable directory or drive (see $ARTIFACTS/unreadable.log)"
wait class=#32770 caption="$BROWSER" timeout=10
select-list 1002 3 double
wait class=#32770 caption="Attention!" timeout=10
expect-text 65535 "Can't open directory C:\A\B\gone"
answer ok
wait-gone
wait class=#32770 caption="$BROWSER" timeout=10
expect-text 1001 "C:\A\B"
items 1002
select-combo 1000 1
wait class=#32770 caption="Attention!" timeout=10
expect-text 65535 "Can't read disk k:\\"
answer ok
wait-gone
wait class=#32770 caption="$BROWSER" timeout=10
expect-text 1000 "c: "
expect-text 1001 "C:\A\B"
EOF
expect_items "$ARTIFACTS/unreadable.log" 1 '000C:\ 1
001A 1
002B 2
003gone 3
003sub1 3
003Sub2 3
003with space 3'

# ---- another drive; Cancel; OK with a typed path; a start that does not exist ----

robot finish <<EOF || fail "drive change, Cancel or OK (see $ARTIFACTS/finish.log)"
wait class=#32770 caption="$BROWSER" timeout=10
select-combo 1000 2
expect-text 1000 "z: "
expect-text 1001 "z:\\"
items 1002
press 2
wait-gone
wait class=#32770 caption="$CAPTION" timeout=10
expect-text 1010 "C:\A\B"
press 1002
wait class=#32770 caption="$BROWSER" timeout=10
expect-text 1001 "C:\A\B"
set-text 1001 "C:\Typed\Not There"
press 1
wait-gone
wait class=#32770 caption="$CAPTION" timeout=10
expect-text 1010 "C:\Typed\Not There"
press 1002
wait class=#32770 caption="$BROWSER" timeout=10
expect-text 1001 "C:\A\B"
press 2
wait-gone
wait class=#32770 caption="$CAPTION" timeout=10
press 1007
wait class=#32770 caption="Confirmation" timeout=10
answer yes
EOF
root=$(list_items "$ARTIFACTS/finish.log" 1)
[[ $(head -n 1 <<<"$root") == '000z:\ 2' ]] || fail "the list of z:\\ does not start with its root line:"$'\n'"$root"
[[ $(sed -n 2p <<<"$root") == 001* ]] || fail "the subdirectories of z:\\ are not at level 1:"$'\n'"$root"
finish_setup

# ---- GetDirName called by another module, with a file name ----

# browse_dir NAME: runs browse_dir.exe with the browse record's fields from
# BROWSE_START and BROWSE_FILE, drives it with the robot script of standard
# input and prints what it returned.
browse_dir() {
  export ENGINE_DLL BROWSE_START BROWSE_FILE
  ENGINE_DLL=$(win_path "$WIN_BIN/tolvaeng.dll")
  wine_start "$WIN_BIN/browse_dir.exe" >"$ARTIFACTS/$1.out"
  robot "$1" || fail "$1: the browser (see $ARTIFACTS/$1.log)"
  wine_join || fail "$1: browse_dir.exe failed: $(cat "$ARTIFACTS/$1.out")"
  tr -d '\r' <"$ARTIFACTS/$1.out"
}

BROWSE_START='C:\A\B' BROWSE_FILE=setup.log
out=$(browse_dir with-file <<EOF
wait class=#32770 caption="$BROWSER" timeout=30
expect-text 1001 "C:\A\B\setup.log"
select-list 1002 3 double
expect-text 1001 "C:\A\B\sub1\setup.log"
press 1
EOF
)
[[ $out == $'result=1\nchosen=C:\\A\\B\\sub1\\setup.log\ncurrent=C:\\A\\B\\sub1' ]] ||
  fail "GetDirName with a file name gave"$'\n'"$out"

# A start directory that does not exist: the current directory of its
# drive, here the one browse_dir.exe starts in.
BROWSE_START='C:\No\Such\Dir' BROWSE_FILE=
cd "$TREE/B/sub1"
out=$(browse_dir cancelled <<EOF
wait class=#32770 caption="$BROWSER" timeout=30
expect-text 1001 "C:\A\B\sub1"
escape
EOF
)
cd - >/dev/null
[[ $out == $'result=0\nchosen=\ncurrent=C:\\A\\B\\sub1' ]] || fail "a cancelled GetDirName gave"$'\n'"$out"
echo "browser: listing, keys, opening, unreadable directory and drive, drive change, Cancel and OK checked"
