# Sourced by every Wine test script:
#   source "$SOURCE_DIR/tests/wine/harness.sh"
#   wine_run "$WIN_BIN/smoke.exe" || fail "smoke.exe failed"
# Gives the test the fixture's prefix and display (see fixture.sh), the
# paths below and the helpers below.  Turns on `set -euo pipefail`: collect
# an exit code you expect to be non-zero with `rc=0; wine_run ... || rc=$?`.
#
#   BUILD_DIR SOURCE_DIR  the build tree and the source tree
#   WIN_BIN               the x86_64 Windows binaries ($BUILD_DIR/x86_64)
#   TOOL                  the authoring tool ($BUILD_DIR/bin/tolvane)
#   DRIVE_C               the prefix's drive C: on this side
#   ARTIFACTS             this test's screenshots and other leftovers
#   WINEPREFIX DISPLAY    exported for every wine command of the test
set -euo pipefail

SOURCE_DIR=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
BUILD_DIR=${BUILD_DIR:-${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}}
source "$SOURCE_DIR/tests/wine/env.sh"

WIN_BIN="$BUILD_DIR/x86_64"
TOOL="$BUILD_DIR/bin/tolvane"
DRIVE_C="$(realpath -m "$WINEPREFIX/drive_c")"
TEST_NAME=$(basename "$0" .sh)
TEST_NAME=${TEST_NAME%_test}
ARTIFACTS="$BUILD_DIR/artifacts/$TEST_NAME"
# Seconds a Windows program may run before wine_run ends it as hung.
WINE_TIMEOUT=${WINE_TIMEOUT:-120}

# Prints "FAIL: message", keeps a screenshot of the display as fail.png and
# ends the test.
fail() {
  echo "FAIL: $*" >&2
  screenshot fail.png >/dev/null 2>&1 || true
  exit 1
}

# Runs a Windows program and returns its exit code (modulo 256, as Unix
# sees it).  A program still running after WINE_TIMEOUT seconds is ended
# with every program it started, and wine_run returns 124.
wine_run() {
  local rc=0
  timeout --kill-after=5 "$WINE_TIMEOUT" wine "$@" || rc=$?
  if ((rc == 124 || rc == 137)); then
    echo "wine_run: $1 still running after ${WINE_TIMEOUT}s; ended" >&2
    screenshot "timeout-$(basename "$1").png" >/dev/null 2>&1 || true
    wine_end_programs
    return 124
  fi
  return "$rc"
}

# Starts a Windows program in the background (for a test that drives it
# from a second program); wine_join waits for it and returns its exit code.
wine_start() {
  timeout --kill-after=5 "$WINE_TIMEOUT" wine "$@" &
  WINE_JOB=$!
}

wine_join() {
  local rc=0
  wait "$WINE_JOB" || rc=$?
  ((rc == 124 || rc == 137)) && { echo "wine_join: program hung; ended" >&2; wine_end_programs; return 124; }
  return "$rc"
}

# Waits until no Windows program runs in the prefix any more (also those
# that a program started and left running), at most $1 seconds (default 30).
wine_wait() {
  local limit=$((SECONDS + ${1:-30}))
  while [[ -n $(wine_programs) ]]; do
    if ((SECONDS >= limit)); then
      echo "wine_wait: still running after ${1:-30}s:" >&2
      wine_programs >&2
      return 1
    fi
    sleep 0.2
  done
}

# Kills every Windows program of the prefix; Wine's services stay.
wine_end_programs() {
  local pid rest
  while read -r pid rest; do
    kill -KILL "$pid" 2>/dev/null || true
  done < <(wine_programs)
}

# C:\dir\file -> $DRIVE_C/dir/file; Z:\path -> /path.  Wine matches names
# without case, this does not: use the case the program used.
unix_path() {
  local drive=${1:0:2} rest=${1:2}
  rest=${rest//\\//}
  case ${drive^^} in
    C:) echo "$DRIVE_C$rest" ;;
    Z:) echo "${rest:-/}" ;;
    *) echo "unix_path: no mapping for '$1'" >&2; return 1 ;;
  esac
}

# A path on this side -> the Windows path a program in the prefix uses:
# C:\... inside drive_c, Z:\... elsewhere.
win_path() {
  local path
  path=$(realpath -m "$1")
  if [[ $path == "$DRIVE_C" || $path == "$DRIVE_C"/* ]]; then
    path="C:${path#"$DRIVE_C"}"
  else
    path="Z:$path"
  fi
  path=${path//\//\\}
  [[ $path == *: ]] && path="$path\\"
  echo "$path"
}

# Prints the data of a registry value, read from outside the program with
# `wine reg query`; returns 1 when the key or the value does not exist.
reg_query() {
  local key=$1 name=$2 output line data
  output=$(wine reg query "$key" /v "$name" 2>/dev/null | tr -d '\r') || return 1
  while IFS= read -r line; do
    data=${line#    "$name"    REG_}
    [[ $data != "$line" ]] || continue
    echo "${data#*    }"
    return 0
  done <<<"$output"
  return 1
}

# Saves the whole virtual screen as $ARTIFACTS/<file> (or <file> when it
# is an absolute path) and prints where it went.
screenshot() {
  local file=$1
  [[ $file == /* ]] || file="$ARTIFACTS/$file"
  mkdir -p "$(dirname "$file")"
  import -display "$DISPLAY" -window root "$file"
  echo "$file"
}

harness_load_fixture() {
  local XVFB_PID="" XVFB_START=""
  if [[ -f $WINE_STATE_FILE ]]; then
    source "$WINE_STATE_FILE"
  fi
  if [[ -z $XVFB_START || $(process_start_time "$XVFB_PID") != "$XVFB_START" ]]; then
    echo "FAIL: the Wine fixture of $BUILD_DIR is not running; run the test through" \
      "ctest (ctest -R wine.$TEST_NAME) or start it with tests/wine/fixture.sh setup" >&2
    exit 1
  fi
  export DISPLAY
}

# A program that a failed test leaves running must not disturb the next
# test, which shares the prefix.
# Wine's Program Manager opens a folder window for each group it shows.
# It is no program of the test, but it holds the test's output open, so
# ctest would wait for it: end it with the test.
wine_end_folder_windows() {
  local environ pid
  for environ in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qiE '\\explorer\.exe +[^/ ]' &&
      kill -KILL "$pid" 2>/dev/null
  done
  return 0
}

harness_exit() {
  local left
  wine_end_folder_windows
  left=$(wine_programs)
  if [[ -n $left ]]; then
    echo "harness: ending programs the test left running:" >&2
    echo "$left" >&2
    wine_end_programs
  fi
}

harness_load_fixture
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
trap harness_exit EXIT
