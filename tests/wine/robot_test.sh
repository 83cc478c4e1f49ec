#!/bin/bash
# The robot under Wine, driving its test dialog (tests/robot/robot_target):
# every action reaches the dialog as a user's would, and every failure
# stops the script with a message that names what was expected and what was
# there.
source "$SOURCE_DIR/tests/wine/harness.sh"

TARGET="$WIN_BIN/robot_target.exe"
CAPTION="Robot target"

# robot NAME [TRANSCRIPT_WINPATH] < script: runs the script; sets ROBOT_RC
# and ROBOT_OUT (the transcript from standard output).
robot() {
  local script="$ARTIFACTS/$1.robot"
  cat >"$script"
  ROBOT_RC=0
  ROBOT_OUT="$ARTIFACTS/$1.transcript"
  wine_run "$WIN_BIN/robot.exe" "$(win_path "$script")" ${2:+"$2"} >"$ROBOT_OUT" || ROBOT_RC=$?
}

expect_robot_passed() {
  ((ROBOT_RC == 0)) || { cat "$ROBOT_OUT" >&2; fail "robot script $1 failed (exit $ROBOT_RC)"; }
}

# start_target [max]: the dialog, its report going to $ARTIFACTS/target.out
start_target() {
  wine_start "$TARGET" "$@" >"$ARTIFACTS/target.out"
}

# expect_target LINE...: the dialog ended with exit code 0 and reported
# these lines.
expect_target() {
  local rc=0 line
  wine_join || rc=$?
  ((rc == 0)) || fail "robot_target.exe exited with $rc"
  for line in "$@"; do
    grep -qxF -- "$line" <(tr -d '\r' <"$ARTIFACTS/target.out") ||
      fail "robot_target reported $(tr '\r\n' '  ' <"$ARTIFACTS/target.out"), without '$line'"
  done
}

# ---- every action, and a message box on top of the dialog ----

start_target
transcript_win="$(win_path "$ARTIFACTS/drive.copy")"
robot drive "$transcript_win" <<EOF
# comment lines and blank lines are skipped

wait class=#32770 caption="$CAPTION" timeout=30
expect-caption "$CAPTION"
expect-state normal
expect-text 1000 "Folder:"
expect-text 1001 "C:\Apps"
expect-text-contains 1001 "App"
expect-focus 1001
key 1001 tab
expect-focus 1002
items 1002
set-text 1001 "D:\Other ""quoted"" \\"
expect-text 1001 "D:\Other ""quoted"" \\"
select-list 1002 2
select-list 1002 1 double
select-combo 1003 2
check 1004 on
expect-control 1004 checked
expect-control 1006 disabled
expect-control 1006 visible
press 1005
wait class=#32770 caption="Question"
expect-text 65535 "Really?"
answer yes
wait-gone
wait caption="$CAPTION"
expect-text 1007 "yes"
dump
enter
wait-gone
EOF
expect_robot_passed drive
expect_target 'end=ok' 'folder=D:\Other "quoted" \' 'list=1 changes=2 double=1' \
  'combo=2 changes=1' 'remember=1 clicks=1' 'close=0'
cmp -s "$ROBOT_OUT" "$ARTIFACTS/drive.copy" || fail "the transcript file differs from standard output"
grep -q '^  id=1003 class=ComboBox text="three" .* visible enabled rect=[0-9,]* count=3 selected=2$' "$ROBOT_OUT" ||
  fail "the dump does not show the combo box as it is: $(grep 'id=1003' "$ROBOT_OUT")"
grep -q '^  id=1006 class=Button text="Never" style=0x5[0-9a-f]* visible disabled ' "$ROBOT_OUT" ||
  fail "the dump does not show the disabled button: $(grep 'id=1006' "$ROBOT_OUT")"
grep -qx '  item 2 "gamma" data=0' "$ROBOT_OUT" || fail "items does not list the list box's items: $(grep 'item' "$ROBOT_OUT")"
grep -qx 'PASS: 29 commands' "$ROBOT_OUT" || fail "the transcript does not end with the count: $(tail -n 1 "$ROBOT_OUT")"

# ---- the ways out of a dialog ----
# name | robot commands | what the dialog reports
endings=(
  "escape|escape|end=cancel close=0"
  "close|close|end=cancel close=1"
  "answer-no|press 1005;wait caption=\"Question\";answer no;wait caption=\"$CAPTION\";expect-text 1007 \"no\";press 1|end=ok close=0"
)
for case in "${endings[@]}"; do
  IFS='|' read -r name commands reported <<<"$case"
  start_target
  robot "$name" < <(echo "wait caption=\"$CAPTION\" timeout=30"; tr ';' '\n' <<<"$commands"; echo "wait-gone class=#32770 caption=\"$CAPTION\"")
  expect_robot_passed "$name"
  expect_target $reported
done

start_target max
robot maximized <<EOF
wait caption="$CAPTION" timeout=30
expect-state maximized
escape
wait-gone
EOF
expect_robot_passed maximized
expect_target end=cancel

# ---- failures: exit code and what the transcript says ----
# name | script lines (';' between) | exit code | transcript lines (';' between)
failures=(
  "no-window|wait class=Nope caption=\"Nothing\" timeout=1|1|FAIL: waited 1 s for a window class=\"Nope\" caption=\"Nothing\"; none appeared~top-level windows now:~*class=\"#32770\" caption=\"$CAPTION\" visible*"
  "wrong-text|expect-text 1001 \"C:\\Other\"|1|FAIL: text of control 1001 is \"C:\\Apps\"~      wanted \"C:\\Other\"~the window now:~  id=1001 class=Edit*"
  "missing-part|expect-text-contains 1000 \"Path\"|1|      wanted a text containing \"Path\""
  "no-control|expect-text 1999 \"x\"|1|FAIL: the window has no control with id 1999"
  "disabled|press 1006|1|FAIL: cannot press button 1006: it is disabled"
  "no-button|answer retry|1|FAIL: cannot press button 4: there is none"
  "no-item|select-list 1002 3|1|FAIL: control 1002 has 3 items; there is no item 3"
  "wrong-state|expect-state maximized|1|FAIL: the window is not maximized"
  "unchecked|expect-control 1004 checked|1|FAIL: control 1004 is not checked"
  "still-there|wait-gone timeout=1|1|FAIL: waited 1 s for the window 0x* to close; it is still there"
  "unknown-command|frobnicate 3|2|script line 2: unknown command: frobnicate~robot: stopped at script line 2"
  "bad-usage|press|2|script line 2: usage: press ID"
  "open-quote|expect-text 1001 \"C:\\|2|script line 2: an open quote or more than 8 words"
  "unknown-state|expect-state purple|2|script line 2: unknown state: purple"
  "focus|expect-focus 1003|1|FAIL: control 1003 does not have the focus; control 1001 has it"
  "unknown-key|key 1001 space|2|script line 2: unknown key (tab escape enter up down): space"
  "no-current-window|dump|1|FAIL: no current window*"
)
start_target
for case in "${failures[@]}"; do
  IFS='|' read -r name lines code expected <<<"$case"
  first="wait caption=\"$CAPTION\" timeout=30"
  [[ $name == no-current-window ]] && first="# no wait"
  robot "$name" < <(echo "$first"; tr ';' '\n' <<<"$lines")
  ((ROBOT_RC == code)) || { cat "$ROBOT_OUT" >&2; fail "$name: robot exited with $ROBOT_RC, expected $code"; }
  transcript=$(tr -d '\r' <"$ROBOT_OUT")
  IFS='~' read -ra wanted <<<"$expected"
  for line in "${wanted[@]}"; do
    found=no
    line=${line//\\/\\\\}  # a backslash is a plain character, '*' a wildcard
    while IFS= read -r seen; do
      [[ $seen == $line ]] && { found=yes; break; }
    done <<<"$transcript"
    [[ $found == yes ]] || { echo "$transcript" >&2; fail "$name: no transcript line '$line'"; }
  done
done
robot after-failures <<EOF
wait caption="$CAPTION"
escape
wait-gone
EOF
expect_robot_passed after-failures
expect_target end=cancel

# ---- the command line ----
rc=0
wine_run "$WIN_BIN/robot.exe" >"$ARTIFACTS/usage.out" || rc=$?
((rc == 2)) || fail "robot.exe without a script exited with $rc, expected 2"
grep -q '^usage: robot.exe SCRIPT \[TRANSCRIPT\]' "$ARTIFACTS/usage.out" || fail "no usage line: $(cat "$ARTIFACTS/usage.out")"
rc=0
wine_run "$WIN_BIN/robot.exe" 'C:\no\such.robot' >"$ARTIFACTS/missing.out" || rc=$?
((rc == 2)) || fail "robot.exe with a missing script exited with $rc, expected 2"
grep -q 'cannot read the script C:\\no\\such.robot' "$ARTIFACTS/missing.out" || fail "no message about the missing script"
rc=0
echo 'list' | wine_run "$WIN_BIN/robot.exe" - >"$ARTIFACTS/stdin.out" || rc=$?
((rc == 0)) && grep -q '^top-level windows now:' "$ARTIFACTS/stdin.out" || fail "a script from standard input did not run"

wine_wait 20 || fail "programs left running"
echo "robot: actions, endings, failure messages and command line checked"
