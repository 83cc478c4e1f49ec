#!/bin/bash
# Licence and readme texts that fill the whole output buffer (65535 bytes,
# no NUL) are shown cut to 65279 characters: the engine runs under a host
# program of ours (tests/wine/programs/engine_text_limit.cpp) whose
# stand-in decoder produces such texts.
source "$SOURCE_DIR/tests/wine/harness.sh"

WORK="$ARTIFACTS/work"
mkdir -p "$WORK/texts"
echo "short licence" >"$WORK/texts/licence.txt"
echo "short readme" >"$WORK/texts/readme.txt"
cat >"$WORK/limit.tvp" <<'TVP'
[Setup]
Title=Text Limit
Caption=Text Limit Setup
DefaultDir=Text Limit
Licence=texts/licence.txt
Readme=texts/readme.txt
TVP
"$TOOL" build "$WORK/limit.tvp" -o "$WORK" --arch x86_64 --quiet || fail "tolvane build failed"

rc=0
ENGINE_DLL=$(win_path "$WIN_BIN/tolvaeng.dll") ENGINE_INSTALLER=$(win_path "$WORK/setup.exe") \
  wine_run "$WIN_BIN/engine_text_limit.exe" >"$ARTIFACTS/checks.txt" || rc=$?
cat "$ARTIFACTS/checks.txt"
((rc == 0)) || fail "engine_text_limit.exe: exit code $rc"
[[ $(grep -c '^ok ' "$ARTIFACTS/checks.txt") == 3 ]] || fail "engine_text_limit.exe did not make its three checks"
echo "engine text limit: passed"
