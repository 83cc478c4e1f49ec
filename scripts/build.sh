#!/bin/bash
# Configures and builds everything (native tool, tests, benchmarks and both
# Windows cross builds) into $BUILD_DIR, default build/ of the source tree.
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}}

cmake -S "$SOURCE_DIR" -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" -j "$(nproc)"
