#!/bin/bash
# The engine module's exports called by their decorated names from another
# program (tests/wine/programs/engine_exports.cpp): the text helpers,
# CreateDir and WriteDepth on the Wine drive, and the progress bar class
# "Diagr" painted on the display.
source "$SOURCE_DIR/tests/wine/harness.sh"

WORK_WIN='C:\tolvane-engine-exports'
WORK_DIR=$(unix_path "$WORK_WIN")
NO_DRIVE=q:

cleanup() {
  rm -rf "$WORK_DIR"
  harness_exit
}
trap cleanup EXIT

rm -rf "$WORK_DIR"
mkdir -p "$WORK_DIR"
echo "in the way" >"$WORK_DIR/afile"
rm -f "$WINEPREFIX/dosdevices/$NO_DRIVE"

rc=0
ENGINE_DLL=$(win_path "$WIN_BIN/tolvaeng.dll") ENGINE_WORK=$WORK_WIN ENGINE_FILE=afile \
  ENGINE_NODRIVE="${NO_DRIVE^^}\\" wine_run "$WIN_BIN/engine_exports.exe" >"$ARTIFACTS/checks.txt" || rc=$?
cat "$ARTIFACTS/checks.txt"
((rc == 0)) || fail "engine_exports.exe: $rc checks failed"
grep -q '^ok ' "$ARTIFACTS/checks.txt" || fail "engine_exports.exe printed no checks"

# What CreateDir made is there on this side too.
[[ -d $WORK_DIR/New/Sub && -d $WORK_DIR/New/Other ]] || fail "CreateDir's directories are missing"
[[ ! -e $WORK_DIR/afile/Deeper ]] || fail "CreateDir went through a file"
echo "engine exports: all checks passed"
