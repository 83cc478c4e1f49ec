#!/bin/bash
# The changes an installation makes to the system beside its files, each
# checked on the Wine disk and in the uninstall log: registry values of
# both types (a negative number wraps to 32 bits, a short root name in the
# package is stored long, an empty value name sets the default value, a
# trailing backslash leaves the subkey), an INI entry whose value gets
# double quotes, the after-copy program run and waited for before the
# installation completes and then deleted with its arguments cut off, and
# the program group over DDE with its log lines.  A second package names
# an after-copy program that does not exist: message 165 from the runner,
# then the failure, and no program group.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="System Setup"
WORK=$(unix_path 'C:\tolvane-system')
TARGET_WIN='C:\tolvane-system\target'
TARGET=$(unix_path "$TARGET_WIN")
INI=$(unix_path 'C:\windows\tolvane-system.ini')
KEY='HKEY_CURRENT_USER\Software\Tolvane System'
GROUP="Tolvane System"

cleanup() {
  rm -rf "$WORK" "$INI"
  wine reg delete "$KEY" /f >/dev/null 2>&1 || true
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK" "$INI"
wine reg delete "$KEY" /f >/dev/null 2>&1 || true

# project NAME AFTERCOPY: a package with one program and the system changes.
project() {
  local p=$WORK/$1
  mkdir -p "$p/files"
  cp "$WIN_BIN/smoke.exe" "$p/files/app.exe"
  cp "$(unix_path 'C:\windows\system32\cmd.exe')" "$p/files/cmd.exe"
  cat >"$p/system.tvp" <<TVP
[Setup]
Title=System Test
Caption=$CAPTION
DefaultDir=System Test
FullScreen=no
WriteLog=yes
LogPath="%installpath%\\uninstal.ini"
Group=$GROUP
OfferGroup=yes
AfterCopy=$2
DeleteAfterCopy=yes

[File]
Source=files/app.exe

[File]
Source=files/cmd.exe

[Shortcut]
Name=System App
Command="%installpath%\\app.exe"
WorkDir=%installpath%

[Registry]
Root=HKCU
Key=Software\\Tolvane System\\
Value=Path
Data=%installpath%

[Registry]
Root=HKEY_CURRENT_USER
Key=Software\\Tolvane System
Value=Count
Type=number
Data=-1

[Registry]
Root=HKEY_CURRENT_USER
Key=Software\\Tolvane System
Data=default text

[IniEntry]
File=%winpath%\\tolvane-system.ini
Section=Paths
Key=Home
Value=%installpath%

[IniEntry]
File=%winpath%\\tolvane-system.ini
Section=Paths
Key=Empty
TVP
  build_package "$p/system.tvp" "$p/out"
}

# options_with_group DIR: the options dialog answered with the program
# group on.
options_with_group() {
  robot options <<ROBOT || fail "the options dialog was not answered (see $ARTIFACTS/options.log)"
wait class=#32770 caption="$CAPTION" timeout=60
set-text 1010 "$1"
check 1003 on
press 1
wait-gone
ROBOT
}

section() { awk -v s="[$2]" '/^\[/ {on = ($0 == s); next} on' <<<"$1"; }
expect_section() {  # log, section, expected lines
  local got
  got=$(section "$1" "$2")
  [[ $got == "$3" ]] || fail "log section [$2] is:"$'\n'"$got"$'\n'"expected:"$'\n'"$3"
}

# ---- a good installation ----

project good "\"%installpath%\\cmd.exe\" /c echo ran>\"%installpath%\\ran.txt\""
wine_start "$WORK/good/out/setup.exe"
options_with_group "$TARGET_WIN"
wait_finished
[[ -f $TARGET/ran.txt ]] || fail "the after-copy program had not run when the installation completed"
[[ ! -e $TARGET/cmd.exe ]] || fail "the after-copy program was not deleted"
press_ok
wine_join || fail "setup.exe did not end"

[[ $(reg_query "$KEY" Path) == "$TARGET_WIN" ]] || fail "registry Path is '$(reg_query "$KEY" Path)'"
[[ $(reg_query "$KEY" Count) == 0xffffffff ]] || fail "registry Count is '$(reg_query "$KEY" Count)'"
default=$(wine reg query "$KEY" /ve 2>/dev/null | tr -d '\r' | grep -c 'REG_SZ *default text$')
((default == 1)) || fail "the key's default value is not 'default text'"

ini=$(log_lines "$INI")
grep -qxF "Home=\"$TARGET_WIN\"" <<<"$ini" || fail "INI file holds:"$'\n'"$ini"
grep -qxF "Empty=" <<<"$ini" || fail "the empty INI value is missing:"$'\n'"$ini"

lnk=$(find "$DRIVE_C" -path "*/Start Menu/Programs/$GROUP/System App.lnk" -print -quit 2>/dev/null)
[[ -n $lnk ]] || fail "no item 'System App' in the program group $GROUP"

log=$(log_lines "$TARGET/uninstal.ini")
sections=$(grep '^\[' <<<"$log" | tr '\n' ' ')
[[ $sections == "[Before] [Directories] [Messages] [Files] [Registry] [INI Files] [Shortcuts] " ]] ||
  fail "log sections in the order: $sections"
expect_section "$log" Registry "0=1,,HKEY_CURRENT_USER,,Software\\Tolvane System,,Path
1=0,,HKEY_CURRENT_USER,,Software\\Tolvane System,,Count
2=0,,HKEY_CURRENT_USER,,Software\\Tolvane System,,"
expect_section "$log" "INI Files" "0=C:\\windows\\tolvane-system.ini,,Paths,,Home
1=C:\\windows\\tolvane-system.ini,,Paths,,Empty"
expect_section "$log" Shortcuts "Group=$GROUP
System App=1"
rm -rf "$(dirname "$lnk")"

# ---- an after-copy program that cannot be started ----

missing='C:\tolvane-system\missing\nothing.exe'
project bad "$missing"
wine_start "$WORK/bad/out/setup.exe"
options_with_group "${TARGET_WIN}2"
robot attention <<ROBOT || fail "no message 165 from the runner (see $ARTIFACTS/attention.log)"
wait class=#32770 caption="Attention!" timeout=60
expect-text 65535 "Can't run process $missing"
answer ok
wait-gone
ROBOT
expect_failure "Can't run process $missing"
log=$(log_lines "${TARGET}2/uninstal.ini")
[[ -z $(section "$log" Shortcuts) ]] || fail "a failed installation logged a program group"
[[ -z $(find "$DRIVE_C" -path "*/Start Menu/Programs/$GROUP" -print -quit 2>/dev/null) ]] ||
  fail "a failed installation created the program group"

echo "system_changes: registry, INI, after-copy program, program group and their log lines checked"
