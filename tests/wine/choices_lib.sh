# Helpers for the tests of the options dialog and the directory browser
# (options_*_test.sh, browser_test.sh).  Sourced after harness.sh and
# install_lib.sh; the test sets CAPTION and WORK (a directory on this side).

SETUP_DIR_WIN='C:\Setup'   # the installer runs from here: its current directory

# choices_package NAME BYTES: a package of one file of BYTES bytes, whose
# [Setup] lines beyond the common ones come from standard input; its
# installer is $WORK/NAME/setup.exe.
choices_package() {
  local dir="$WORK/$1"
  mkdir -p "$dir/files"
  make_file "$dir/files/app.txt" "$2"
  {
    printf '[Setup]\nTitle=Choices Test\nCaption=%s\nDefaultDir=C:\\Choices\\Default\nFullScreen=yes\n' "$CAPTION"
    cat
    printf '\n[File]\nSource=files/app.txt\n'
  } >"$dir/project.tvp"
  build_package "$dir/project.tvp" "$dir/build"
  mv "$dir/build/setup.exe" "$dir/setup.exe"
}

# start_setup NAME: starts the installer of package NAME with C:\Setup as
# its current directory and waits for its options dialog.
start_setup() {
  local setup
  setup=$(unix_path "$SETUP_DIR_WIN")
  rm -rf "$setup"
  mkdir -p "$setup"
  cd "$setup"
  wine_start "$WORK/$1/setup.exe"
  cd - >/dev/null
  robot "$1-start" <<EOF || fail "no options dialog from package $1 (see $ARTIFACTS/$1-start.log)"
wait class=#32770 caption="$CAPTION" timeout=60
EOF
}

# finish_setup [SECONDS]: the installer must end within a few seconds.
finish_setup() {
  local limit=$((SECONDS + ${1:-20}))
  while kill -0 "$WINE_JOB" 2>/dev/null; do
    ((SECONDS < limit)) || fail "setup.exe still runs (see $(screenshot still-running.png))"
    sleep 0.2
  done
  wine_join || true
}

# control_rect LOG ID: "left top right bottom" of control ID in the last
# dump of the transcript LOG; ID "frame" gives the window's own frame.
control_rect() {
  local pattern="  id=$2 class=" line
  [[ $2 == frame ]] && pattern="  frame rect="
  line=$(grep -F -- "$pattern" "$1" | tail -n 1)
  [[ -n $line ]] || fail "no $2 in the dump of $1"
  line=${line#*rect=}
  line=${line%% *}
  echo "${line//,/ }"
}

# control_line LOG ID: the whole dump line of control ID.
control_line() {
  grep -F -- "  id=$2 class=" "$1" | tail -n 1
}

# ini_keys FILE SECTION: the "key=value" lines of one section of an INI file.
ini_keys() {
  tr -d '\r' <"$1" | awk -v s="[$2]" '/^\[/ {on = ($0 == s); next} on && NF'
}

# list_items LOG N: the items of the N-th "items" command in the transcript
# LOG, one "text data" line each.
list_items() {
  awk -v n="$2" '
    /^> / { block += ($0 ~ /^> items /); inside = ($0 ~ /^> items /) && block == n; next }
    inside && /^  item / {
      text = $0; sub(/^  item [0-9]+ "/, "", text); data = text
      sub(/" data=-?[0-9]+$/, "", text); sub(/.*" data=/, "", data)
      print text " " data
    }' "$1"
}
