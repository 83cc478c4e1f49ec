#!/bin/bash
# The main job: installs what is missing, builds everything into build/ (or
# $TOLVANE_BUILD_DIR), then runs the Windows side under Wine.
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
export SOURCE_DIR
export BUILD_DIR=${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}
FIXTURE="$SOURCE_DIR/tests/wine/fixture.sh"

"$SOURCE_DIR/scripts/install-deps.sh"
"$SOURCE_DIR/scripts/build.sh"

# ---- Main job: everything after the build is this one step ----
# For now: the smoke program under Wine, in the same prefix and virtual
# display the Wine tests use.
run_main_job() {
  "$FIXTURE" setup
  trap '"$FIXTURE" cleanup' EXIT
  (
    source "$SOURCE_DIR/tests/wine/harness.sh"
    wine_run "$WIN_BIN/smoke.exe"
    screenshot desktop.png
  )
}

run_main_job
echo "main job done"
