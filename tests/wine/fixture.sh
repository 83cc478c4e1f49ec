#!/bin/bash
# The Wine fixture of a test run, shared by every Wine test in it:
#   fixture.sh setup    fresh 64-bit prefix, a virtual X display (Xvfb on a
#                       free display number) and a persistent wineserver
#   fixture.sh cleanup  stops that wineserver and that Xvfb, unmounts what a
#                       test left mounted in the prefix and removes it
#                       (kept when TOLVANE_KEEP_PREFIX=1)
# CTest runs them as the setup and cleanup tests of the fixture "wine".
# Setup first clears what a killed earlier run in the same build tree may
# have left, and touches nothing of other build trees.
set -euo pipefail

SOURCE_DIR=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
BUILD_DIR=${BUILD_DIR:-${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}}
source "$SOURCE_DIR/tests/wine/env.sh"

XVFB_SCREEN=1024x768x24
XVFB_START_SECONDS=15
BOOT_SECONDS=120

log() { echo "wine fixture: $*"; }

# Ends the Xvfb recorded in the state file, if that very process still runs.
stop_xvfb() {
  local XVFB_PID="" XVFB_START="" i
  [[ -f $WINE_STATE_FILE ]] || return 0
  source "$WINE_STATE_FILE"
  [[ -n $XVFB_START && $(process_start_time "$XVFB_PID") == "$XVFB_START" ]] || return 0
  kill "$XVFB_PID" 2>/dev/null || return 0
  for ((i = 0; i < 50; i++)); do
    [[ $(process_start_time "$XVFB_PID") == "$XVFB_START" ]] || return 0
    sleep 0.1
  done
  kill -KILL "$XVFB_PID" 2>/dev/null || true
}

# Ends this prefix's wineserver and with it every Windows program in it.
stop_wineserver() {
  [[ -d $WINEPREFIX ]] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# Prints the mount points at or below directory $1, deepest first.  The
# kernel writes blanks, tabs, newlines and backslashes in mount points as
# octal escapes (\040); printf %b turns them back.
mounts_below() {
  local root point
  root=$(realpath -m "$1")
  while read -r _ point _; do
    point=$(printf '%b' "$point")
    [[ $point == "$root" || $point == "$root"/* ]] && echo "$point"
  done </proc/self/mounts | awk '{print length($0) "\t" $0}' | sort -rn | cut -f2-
}

# A test killed while it had a small disk mounted in the prefix (a tmpfs
# for a full disk) leaves the mount behind, and rm would stop at it with
# "Device or resource busy".  Only mounts below this prefix are touched;
# one still busy is detached lazily.  Mounts stacked on one point take
# several rounds.
unmount_below() {
  local point round
  for ((round = 0; round < 10; round++)); do
    local -a points=()
    mapfile -t points < <(mounts_below "$1")
    ((${#points[@]})) || return 0
    for point in "${points[@]}"; do
      log "unmounting $point"
      umount "$point" 2>/dev/null || umount -l "$point" || {
        log "cannot unmount $point; $1 stays" >&2
        return 1
      }
    done
  done
  log "mounts below $1 remain after $round rounds" >&2
  return 1
}

remove_prefix() {
  [[ -e $WINEPREFIX ]] || return 0
  unmount_below "$WINEPREFIX"
  rm -rf "$WINEPREFIX"
}

stop_fixture() {
  stop_wineserver
  stop_xvfb
  rm -f "$WINE_STATE_FILE"
}

cleanup() {
  stop_fixture
  if [[ ${TOLVANE_KEEP_PREFIX:-0} == 1 ]]; then
    log "prefix kept in $WINEPREFIX"
  else
    remove_prefix
  fi
}

# Starts Xvfb on a display number it picks itself (-displayfd), so parallel
# runs never collide, and records it for harness.sh.
start_xvfb() {
  local number_file="$WINE_STATE_DIR/display" i pid
  rm -f "$number_file"
  Xvfb -displayfd 3 -screen 0 "$XVFB_SCREEN" -nolisten tcp \
    3>"$number_file" </dev/null >"$WINE_STATE_DIR/xvfb.log" 2>&1 &
  pid=$!
  # Recorded at once, so a run killed right now still finds it next time.
  write_state "" "$pid"
  for ((i = 0; i < XVFB_START_SECONDS * 10; i++)); do
    [[ -s $number_file ]] && break
    kill -0 "$pid" 2>/dev/null || { cat "$WINE_STATE_DIR/xvfb.log" >&2; return 1; }
    sleep 0.1
  done
  [[ -s $number_file ]] || { log "Xvfb did not start in ${XVFB_START_SECONDS}s" >&2; kill "$pid"; return 1; }
  write_state ":$(head -n 1 "$number_file")" "$pid"
}

# write_state DISPLAY XVFB_PID
write_state() {
  printf 'DISPLAY=%s\nXVFB_PID=%s\nXVFB_START=%s\n' "$1" "$2" "$(process_start_time "$2")" \
    >"$WINE_STATE_FILE"
}

# Every window lives in one virtual desktop of the screen's size: without a
# window manager Wine waits seconds for X on every hidden window, and the
# screenshots show what a user would see.
write_desktop_settings() {
  local size=${XVFB_SCREEN%x*}
  printf '%s\n' REGEDIT4 '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' "\"Default\"=\"$size\"" \
    >"$1"
}

# Runs one boot step with a time limit, its output into the boot log.
boot_step() {
  timeout "$BOOT_SECONDS" "$@" >>"$WINE_STATE_DIR/boot.log" 2>&1 || {
    cat "$WINE_STATE_DIR/boot.log" >&2
    log "failed: $*" >&2
    return 1
  }
}

# Creates the prefix without a display (nothing to show yet), then
# restarts it under a persistent wineserver that keeps Wine's services up
# between the tests' wine commands, so each one starts in a fraction of a
# second.  (A persistent server during the first boot leaves a second set of
# services behind, which stalls every new desktop for ten seconds.)
boot_prefix() {
  local settings="$WINE_STATE_DIR/desktop.reg"
  rm -f "$WINE_STATE_DIR/boot.log"
  mkdir -p "$WINEPREFIX"
  write_desktop_settings "$settings"
  boot_step env -u DISPLAY wineboot -i
  boot_step env -u DISPLAY wine reg import "Z:${settings//\//\\}"
  wineserver -k || true
  wineserver -w || true
  # Its output away from ours: the server outlives this script, and a
  # caller (ctest) reading our output would wait for it.
  wineserver -p </dev/null >>"$WINE_STATE_DIR/boot.log" 2>&1
  boot_step wineboot
}

# A prefix left by an earlier run (kept, or its cleanup killed) is never
# reused: the tests expect a fresh one.
setup() {
  local started=$SECONDS
  stop_fixture
  remove_prefix
  mkdir -p "$WINE_STATE_DIR"
  start_xvfb
  source "$WINE_STATE_FILE"
  export DISPLAY
  boot_prefix
  log "prefix $WINEPREFIX, display $DISPLAY, ready in $((SECONDS - started))s"
}

case ${1:-} in
  setup) setup ;;
  cleanup) cleanup ;;
  *) echo "usage: $0 setup|cleanup" >&2; exit 2 ;;
esac
