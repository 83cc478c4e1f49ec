#!/bin/bash
# Copies the demo project to OUT_DIR with the real demo programs, built for
# one architecture, in place of the placeholders:
#   examples/demo/stage.sh BIN_DIR OUT_DIR
#   tolvane build OUT_DIR/demo.tvp -o out [--arch ...]
# BIN_DIR is the build tree's i686/ or x86_64/ directory, which holds
# demo_app.exe and demoext.dll; pick the one that matches --arch.
# The uninstaller has no real program yet: its placeholder stays.
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 BIN_DIR OUT_DIR" >&2
  exit 2
fi
DEMO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BIN_DIR=$1
OUT_DIR=$2

for program in demo_app.exe demoext.dll; do
  [[ -f $BIN_DIR/$program ]] || { echo "$0: $BIN_DIR/$program is missing; build the tree first" >&2; exit 1; }
done

# Only what an earlier stage put there is replaced.
mkdir -p "$OUT_DIR"
rm -rf "$OUT_DIR/demo.tvp" "$OUT_DIR/texts" "$OUT_DIR/files"
cp -r "$DEMO_DIR/demo.tvp" "$DEMO_DIR/texts" "$DEMO_DIR/files" "$OUT_DIR/"
cp "$BIN_DIR/demo_app.exe" "$OUT_DIR/files/bin/demo.exe"
cp "$BIN_DIR/demoext.dll" "$OUT_DIR/files/system/demoext.dll"
