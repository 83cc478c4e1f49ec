#!/bin/bash
# smoke.exe under Wine: its file, its registry value and its window, each
# checked from outside the program as well as by its own exit code.
source "$SOURCE_DIR/tests/wine/harness.sh"

# What smoke.exe writes (tests/wine/programs/smoke.cpp).
text="tolvane smoke"
file=$(unix_path 'C:\tolvane-smoke\smoke.txt')
key='HKCU\Software\Tolvane\Smoke'

rm -f "$file"
wine reg delete "$key" /f >/dev/null 2>&1 || true

rc=0
wine_run "$WIN_BIN/smoke.exe" || rc=$?
((rc == 0)) || fail "smoke.exe exited with $rc (the number of its checks that failed)"

[[ -f $file ]] || fail "$file was not written"
[[ $(<"$file") == "$text" ]] || fail "$file holds '$(<"$file")', not '$text'"

value=$(reg_query "$key" Check) || fail "no value Check under $key"
[[ $value == "$text" ]] || fail "$key Check is '$value', not '$text'"

shot=$(screenshot desktop.png)
size=$(identify -format '%wx%h' "$shot") || fail "$shot is not an image"
[[ $size == 1024x768 ]] || fail "the virtual screen is $size, not 1024x768"

wine_wait 10 || fail "programs left running after smoke.exe"
echo "smoke: file, registry value, window and screenshot all checked"
