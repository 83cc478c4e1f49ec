#!/bin/bash
# All tests: installs what is missing, builds into build/ (or
# $TOLVANE_BUILD_DIR), then runs every test, native and under Wine.
# Arguments go to ctest, e.g. `scripts/test.sh -R wine.smoke`.
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}

"$SOURCE_DIR/scripts/install-deps.sh"
"$SOURCE_DIR/scripts/build.sh"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" "$@"
