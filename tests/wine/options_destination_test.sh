#!/bin/bash
# OK in the options dialog: a relative destination joins the current
# directory, a trailing backslash goes, the levels created are counted into
# createdDirs (the log's Directories section shows them), a destination that
# cannot be entered or created gives message 153 or 154 and keeps the dialog
# open (a drive whose free space cannot be asked for is not checked), a second
# OK counts only the levels it created itself, and a bare drive stands for
# its root, not for the drive's current directory.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"
source "$SOURCE_DIR/tests/wine/choices_lib.sh"

CAPTION="Destination Setup"
WORK=$(unix_path 'C:\tolvane-destination')
CHOICES=$(unix_path 'C:\Choices')
ROOT_FILE=$(unix_path 'C:\app.txt')

cleanup() {
  rm -rf "$WORK" "$CHOICES" "$ROOT_FILE" "$(unix_path "$SETUP_DIR_WIN")"
  harness_exit
}
trap cleanup EXIT
cleanup

choices_package logged 4000 <<'EOF'
WriteLog=yes
LogPath="%installpath%\uninstal.ini"
EOF

# install_to NAME TEXT: installs with TEXT typed as the destination.
install_to() {
  start_setup logged
  robot "$1" <<EOF || fail "$1: options dialog (see $ARTIFACTS/$1.log)"
wait class=#32770 caption="$CAPTION" timeout=10
set-text 1010 "$2"
press 1
wait-gone
EOF
  wait_finished
  press_ok
  finish_setup
}

# expect_installed NAME DIR DIRECTORIES: app.txt and the log are in DIR (a
# Windows path), and the log's Directories section is DIRECTORIES.
expect_installed() {
  local dir log
  dir=$(unix_path "$2")
  log="$dir/uninstal.ini"
  [[ -f $dir/app.txt ]] || fail "$1: app.txt is not in $2"
  [[ -f $log ]] || fail "$1: no log in $2"
  [[ $(ini_keys "$log" Directories) == "$3" ]] ||
    fail "$1: the log's directories are"$'\n'"$(ini_keys "$log" Directories)"$'\n'"not"$'\n'"$3"
}

# ---- relative destinations, from C:\Setup ----

install_to relative 'Apps'
expect_installed relative 'C:\Setup\Apps' 'C:\Setup\Apps=0'
install_to backslash '\Apps'
expect_installed backslash 'C:\Setup\Apps' 'C:\Setup\Apps=0'

# ---- two levels created, the trailing backslash removed ----

mkdir -p "$CHOICES/Deep"
install_to deep 'C:\Choices\Deep\L1\L2\'
expect_installed deep 'C:\Choices\Deep\L1\L2' $'C:\\Choices\\Deep\\L1\\L2=0\nC:\\Choices\\Deep\\L1=0'

# An existing directory: nothing created, the directory itself logged "1".
install_to existing 'C:\Choices\Deep'
expect_installed existing 'C:\Choices\Deep' 'C:\Choices\Deep=1'

# ---- creation fails, the dialog stays; the second OK counts its own ----
# Drive Q: does not exist: its free space cannot be asked for, so there is
# no space message, and entering its root fails with message 153.

touch "$CHOICES/Blocked"
[[ ! -e $WINEPREFIX/dosdevices/q: ]] || fail "drive Q: exists in the prefix; the test needs it absent"
start_setup logged
robot failures <<'EOF' || fail "failed creations (see $ARTIFACTS/failures.log)"
wait class=#32770 caption="Destination Setup" timeout=10
set-text 1010 "Q:\App"
press 1
wait class=#32770 caption="Error" timeout=10
expect-text 65535 "Can't open directory Q:\App"
answer ok
wait-gone
wait class=#32770 caption="Destination Setup" timeout=10
set-text 1010 "C:\Choices\Blocked\x"
press 1
wait class=#32770 caption="Error" timeout=10
expect-text 65535 "Can't create directory C:\Choices\Blocked\x"
answer ok
wait-gone
wait class=#32770 caption="Destination Setup" timeout=10
expect-text 1010 "C:\Choices\Blocked\x"
set-text 1010 "C:\Choices\Two\L1\bad|name"
press 1
wait class=#32770 caption="Error" timeout=10
expect-text 65535 "Can't create directory C:\Choices\Two\L1\bad|name"
answer ok
wait-gone
wait class=#32770 caption="Destination Setup" timeout=10
set-text 1010 "C:\Choices\Two\L1\L2"
press 1
wait-gone
EOF
[[ -d $CHOICES/Two/L1 ]] || fail "the levels made before the failure should stay"
wait_finished
press_ok
finish_setup
expect_installed second 'C:\Choices\Two\L1\L2' 'C:\Choices\Two\L1\L2=0'

# ---- a bare drive is its root, not its current directory (C:\Setup) ----

choices_package unlogged 100 <<<'WriteLog=no'
start_setup unlogged
robot root <<EOF || fail "root destination (see $ARTIFACTS/root.log)"
wait class=#32770 caption="$CAPTION" timeout=10
set-text 1010 "C:"
press 1
wait-gone
EOF
wait_finished
press_ok
finish_setup
[[ -f $ROOT_FILE ]] || fail "destination C: did not install into C:\\ ($(ls "$(unix_path "$SETUP_DIR_WIN")"))"
echo "options destination: relative, trailing backslash, created levels, failures and the drive root checked"
