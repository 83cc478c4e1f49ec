#!/bin/bash
# The main job: installs what is missing, builds everything into build/ (or
# $TOLVANE_BUILD_DIR), then builds the demo installer and installs it under
# Wine, its dialogs answered by the test robot the way a user would.
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
export SOURCE_DIR
export BUILD_DIR=${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}
FIXTURE="$SOURCE_DIR/tests/wine/fixture.sh"

"$SOURCE_DIR/scripts/install-deps.sh"
"$SOURCE_DIR/scripts/build.sh"

# ---- Main job: everything after the build is this one step ----
# The demo project with the real demo programs in place of its placeholders
# (examples/demo/stage.sh) becomes $BUILD_DIR/example/setup.exe.  It is
# built for x86_64 because this machine cannot run 32-bit code; the i686
# release installer is made the same way with --arch i686.  The installer
# runs in the Wine prefix and virtual display of the Wine tests, and the
# robot answers it with the phases of examples/demo/install.robot.
EXAMPLE="$BUILD_DIR/example"
SCENARIO="$SOURCE_DIR/examples/demo/install.robot"
START_SECONDS=$SECONDS

build_example() {
  "$SOURCE_DIR/examples/demo/stage.sh" "$BUILD_DIR/x86_64" "$EXAMPLE/project" &&
    "$BUILD_DIR/bin/tolvane" build "$EXAMPLE/project/demo.tvp" -o "$EXAMPLE" --arch x86_64 ||
    { echo "main job FAILED: the demo installer could not be built" >&2; exit 1; }
}

run_main_job() {
  build_example
  "$FIXTURE" setup
  trap '"$FIXTURE" cleanup' EXIT
  (
    source "$SOURCE_DIR/tests/wine/harness.sh"
    source "$SOURCE_DIR/tests/wine/install_lib.sh"
    install_example
  )
}

# What the demo package puts on the Wine disk (demo.tvp) and where the
# scenario installs it.
INSTALL_WIN='C:\Program Files\Tolvane Demo'
SYSTEM_DLL_WIN='C:\windows\system32\demoext.dll'
INI_WIN='C:\windows\demo.ini'
REG_KEY='HKLM\SOFTWARE\Tolvane Demo'
GROUP='Tolvane Demo'
GROUP_ITEMS='Read Me.lnk|Tolvane Demo.lnk|Uninstall Tolvane Demo.lnk'

FAILED=()

failed() {
  FAILED+=("$*")
}

# phase NAME [SECONDS]: one phase of the scenario, with SECONDS run again
# until it passes.  After a failed phase the installer is not where the
# next one expects it, so the later phases are skipped.
phase() {
  local name=$1
  ((${#FAILED[@]} == 0)) || return 0
  if (($# > 1)); then
    scenario_phase "$SCENARIO" "$name" | robot_until "$name" "$2" && return 0
  else
    scenario_phase "$SCENARIO" "$name" | robot "$name" && return 0
  fi
  failed "robot phase '$name': $(grep -m 1 '^FAIL:' "$ARTIFACTS/$name.log" 2>/dev/null || echo "did not pass") (transcript $ARTIFACTS/$name.log)"
  screenshot "failed-$name.png" >/dev/null
}

# After a failed phase the installer would wait for an answer until its
# time limit, so it is ended at once.
end_installer() {
  local rc=0
  ((${#FAILED[@]} == 0)) || wine_end_programs
  wine_join || rc=$?
  ((${#FAILED[@]} || rc == 0)) || failed "setup.exe ended with exit code $rc"
}

install_example() {
  wine_start "$EXAMPLE/setup.exe"
  phase dialogs
  phase finished 120
  ((${#FAILED[@]})) || screenshot finished.png >/dev/null
  phase close
  phase readme
  end_installer
  phase app
  ((${#FAILED[@]})) || screenshot app.png >/dev/null
  phase quit
  wine_wait 20 || { failed "Windows programs still running at the end"; wine_end_programs; }
  summarise
  report
}

# ---- What landed on the Wine disk ----

line() {
  printf '  %-14s %s\n' "$1" "$2"
}

# have LABEL WHAT FOUND: a line of the summary: WHAT and FOUND, or WHAT
# recorded as missing when FOUND is empty.
have() {
  if [[ -n $3 ]]; then
    line "$1" "$2$3"
  else
    line "$1" "$2 MISSING"
    failed "missing on the Wine disk: $1 $2"
  fi
}

exists() {
  [[ -e $(unix_path "$1") ]] && echo " present"
}

summarise_files() {
  local dir file
  dir=$(unix_path "$INSTALL_WIN")
  have "installation" "$INSTALL_WIN" "$([[ -d $dir ]] && echo :)"
  [[ -d $dir ]] || return 0
  while read -r file; do
    printf '  %-14s   %-20s %6d bytes\n' "" "${file//\//\\}" "$(stat -c %s "$dir/$file")"
  done < <(cd "$dir" && find . -type f -printf '%P\n' | sort)
  have "library" "$SYSTEM_DLL_WIN" "$(exists "$SYSTEM_DLL_WIN")"
}

# The uninstall log, and the path that the tail record behind the
# uninstaller gives it.
summarise_log() {
  local log_win="$INSTALL_WIN\\uninstal.ini" uninstaller sections="" tail=""
  uninstaller=$(unix_path "$INSTALL_WIN\\uninstal.exe")
  if [[ -f $(unix_path "$log_win") ]]; then
    sections=$(tr -d '\r' <"$(unix_path "$log_win")" | grep '^\[' | paste -sd ' ' || true)
  fi
  have "uninstall log" "$log_win" "${sections:+, sections $sections}"
  if [[ -f $uninstaller ]]; then
    tail=$(tail -c +$(($(stat -c %s "$EXAMPLE/project/files/uninstal.exe") + 2)) "$uninstaller")
  fi
  have "log path" "tail record of uninstal.exe" "$([[ $tail == "$log_win" ]] && echo " names it")"
}

summarise_system() {
  local name data group="" items=""
  for name in InstallDir Version; do
    data=$(reg_query "$REG_KEY" "$name" || true)
    have "registry" "$REG_KEY $name" "${data:+ = $data}"
  done
  data=$( (tr -d '\r' <"$(unix_path "$INI_WIN")") 2>/dev/null |
    awk -F= '/^\[/ {on = ($0 == "[Settings]"); next} on && $1 == "Dir" {print substr($0, 5)}' || true)
  have "INI entry" "$INI_WIN [Settings] Dir" "${data:+ = $data}"
  group=$(find "$DRIVE_C" -type d -path "*/Start Menu/Programs/$GROUP" -print -quit 2>/dev/null || true)
  [[ -z $group ]] || items=$(cd "$group" && LC_ALL=C ls -1 | paste -sd '|')
  have "program group" "$GROUP" "${items:+: ${items//|/, }}"
  [[ -z $items || $items == "$GROUP_ITEMS" ]] || failed "program group $GROUP: items not ${GROUP_ITEMS//|/, }"
}

summarise() {
  echo "== Tolvane Demo on the Wine disk =="
  summarise_files
  summarise_log
  summarise_system
}

report() {
  local item
  echo "robot transcripts and screenshots: $ARTIFACTS"
  echo "main job: $((SECONDS - START_SECONDS)) s after the build"
  if ((${#FAILED[@]} == 0)); then
    echo "main job: the demo installed and ran under Wine"
    return 0
  fi
  echo "main job FAILED:" >&2
  for item in "${FAILED[@]}"; do
    echo "  - $item" >&2
  done
  return 1
}

run_main_job
