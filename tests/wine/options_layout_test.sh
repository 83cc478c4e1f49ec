#!/bin/bash
# The options dialog's check boxes: the offered ones move up into the first
# slots in the order group, readme, run, the dialog ends two frame heights
# below the first free slot, and every box starts as the package supplies
# it.  A hidden box keeps its start value (the readme still shows after the
# installation); a visible one gives what the user left in it.  Escape does
# nothing; Exit and the close box ask first.  Texts come from the package.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"
source "$SOURCE_DIR/tests/wine/choices_lib.sh"

CAPTION="Choices Setup"
WORK=$(unix_path 'C:\tolvane-layout')
TARGET_WIN='C:\Choices\Layout'
TARGET=$(unix_path "$TARGET_WIN")
DEFAULT=$(unix_path 'C:\Choices\Default')

cleanup() {
  rm -rf "$WORK" "$(unix_path 'C:\Choices')" "$(unix_path "$SETUP_DIR_WIN")"
  harness_exit
}
trap cleanup EXIT
cleanup

README='ShowReadme="%installpath%\app.txt"'
RUN='RunApp="%installpath%\app.txt"'

# name, offered boxes, what the package supplies, bytes, then per box
# (group readme run) the slot it stands in (- hidden) and its start state,
# then the slot below which the dialog ends (- : not shortened).
CASES=(
  "all       group,readme,run  shortcut,readme  1023  1 2 3  1 1 0  -"
  "grouprun  group,run         run              3071  1 - 2  0 0 1  3"
  "readmerun readme,run        readme           2048  - 1 2  0 1 0  3"
  "none      -                 shortcut,readme  5000  - - -  1 1 0  1"
)
BOXES=(1003 1004 1005)

offer() { [[ $1 == *$2* ]] && echo yes || echo no; }

# The [Setup] lines of a case, then its other sections.
project_lines() {
  local offers=$1 supplies=$2
  printf 'OfferGroup=%s\nOfferReadme=%s\nOfferRun=%s\n' \
    "$(offer "$offers" group)" "$(offer "$offers" readme)" "$(offer "$offers" run)"
  if [[ $supplies == *readme* ]]; then echo "$README"; fi
  if [[ $supplies == *run* ]]; then echo "$RUN"; fi
  if [[ $supplies == *shortcut* ]]; then
    printf 'Group=Choices\n[Shortcut]\nName=App\nCommand="%%installpath%%\\app.txt"\n'
  fi
  if [[ $offers == group,run ]]; then
    printf '[Messages]\n212=Make a program group\n213=Needs %%lu KB\n'
  fi
}

for row in "${CASES[@]}"; do
  read -r name offers supplies bytes s1 s2 s3 c1 c2 c3 bottom <<<"$row"
  project_lines "$offers" "$supplies" | choices_package "$name" "$bytes"
done

# ---- layouts ----

declare -A SLOT_TOP SLOT_RECT
for row in "${CASES[@]}"; do
  read -r name offers supplies bytes s1 s2 s3 c1 c2 c3 bottom <<<"$row"
  start_setup "$name"
  robot "$name" <<EOF || fail "options dialog of $name (see $ARTIFACTS/$name.log)"
wait class=#32770 caption="$CAPTION" timeout=10
dump
EOF
  screenshot "$name.png" >/dev/null
  log=$ARTIFACTS/$name.log
  slots=("$s1" "$s2" "$s3")
  checks=("$c1" "$c2" "$c3")
  if [[ $name == all ]]; then   # the template's slots
    for i in 0 1 2; do
      SLOT_RECT[$((i + 1))]=$(control_rect "$log" "${BOXES[i]}")
      read -r _ SLOT_TOP[$((i + 1))] _ _ <<<"${SLOT_RECT[$((i + 1))]}"
    done
  fi
  for i in 0 1 2; do
    box=${BOXES[i]}
    line=$(control_line "$log" "$box")
    [[ $line == *" checked=${checks[i]}"* ]] || fail "$name: box $box should start checked=${checks[i]}: $line"
    if [[ ${slots[i]} == - ]]; then
      [[ $line == *" hidden "* ]] || fail "$name: box $box is not offered but shown: $line"
      want=${SLOT_RECT[$((i + 1))]}   # not moved
    else
      [[ $line == *" visible "* ]] || fail "$name: box $box is offered but hidden: $line"
      want=${SLOT_RECT[${slots[i]}]}
    fi
    [[ $(control_rect "$log" "$box") == "$want" ]] ||
      fail "$name: box $box stands at $(control_rect "$log" "$box"), not at $want"
  done
  read -r fleft _ _ fbottom <<<"$(control_rect "$log" frame)"
  if [[ $name == all ]]; then
    FULL_BOTTOM=$fbottom
  elif [[ $bottom == - ]]; then
    ((fbottom == FULL_BOTTOM)) || fail "$name: the dialog's height changed"
  else
    frame=$((-fleft))
    want=$((SLOT_TOP[$bottom] + 2 * frame))
    ((fbottom == want)) ||
      fail "$name: the dialog ends at $fbottom, not two frames ($frame) below slot $bottom's top ${SLOT_TOP[$bottom]}"
  fi
  if [[ $name == grouprun ]]; then
    # ---- texts, Escape, close box and Exit ----
    robot "$name-quit" <<EOF || fail "texts or quitting (see $ARTIFACTS/$name-quit.log)"
wait class=#32770 caption="$CAPTION" timeout=10
expect-text 1000 "Destination directory"
expect-text 1010 "C:\Choices\Default"
expect-text 1002 "Browse..."
expect-text 1003 "Make a program group"
expect-text 1004 "View Readme"
expect-text 1005 "Run the installed application"
expect-text 1006 "Needs 2 KB"
expect-text 1 "OK"
expect-text 1007 "Exit"
escape
sleep 300
expect-caption "$CAPTION"
close
wait class=#32770 caption="Confirmation" timeout=10
expect-text 65535 "Are you sure you want to Quit?"
answer no
wait-gone
wait class=#32770 caption="$CAPTION" timeout=10
press 1007
wait class=#32770 caption="Confirmation" timeout=10
answer yes
EOF
    finish_setup
    [[ ! -e $DEFAULT ]] || fail "quitting created $DEFAULT"
  else
    robot "$name-exit" <<EOF || fail "$name: Exit (see $ARTIFACTS/$name-exit.log)"
wait class=#32770 caption="$CAPTION" timeout=10
press 1007
wait class=#32770 caption="Confirmation" timeout=10
answer yes
EOF
    finish_setup
  fi
done
grep -q 'text="Required 0 Kbytes"' "$ARTIFACTS/all.log" || fail "1023 bytes must need 0 Kbytes: $(control_line "$ARTIFACTS/all.log" 1006)"

# ---- what OK keeps: a visible box as the user left it, a hidden one as
# it started ----

# Readme offered and on at the start; the user turns it off.
start_setup all
robot all-install <<EOF || fail "options of all (see $ARTIFACTS/all-install.log)"
wait class=#32770 caption="$CAPTION" timeout=10
check 1004 off
set-text 1010 "$TARGET_WIN"
press 1
wait-gone
EOF
wait_finished
press_ok
finish_setup
[[ -f $TARGET/app.txt ]] || fail "all: nothing installed in $TARGET"
rm -rf "$TARGET"

# Readme not offered, but the package has one: it is shown at the end.
start_setup none
robot none-install <<EOF || fail "options of none (see $ARTIFACTS/none-install.log)"
wait class=#32770 caption="$CAPTION" timeout=10
set-text 1010 "$TARGET_WIN"
press 1
wait-gone
EOF
wait_finished
press_ok
robot none-readme <<EOF || fail "no readme after the installation although its hidden box started on (see $ARTIFACTS/none-readme.log)"
wait class=#32770 caption="Readme" timeout=20
expect-text-contains 1009 "tolvane test data"
press 1010
EOF
finish_setup
echo "options layout: four layouts, start values, texts, quitting and the kept choices checked"
