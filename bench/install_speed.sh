#!/bin/bash
# Install speed: a package of about 22 MB (five copies of the benchmark
# corpus's Windows binaries and its licence texts) installed by the x86_64
# installer under Wine, against `tolvane extract` of the same installer
# natively.  Prints both times; nothing is asserted.
#   bench/install_speed.sh [BUILD_DIR]      (default: build)
# Needs the build tree's tool, x86_64 binaries and benchmark corpus
# (cmake --build BUILD_DIR --target bench_corpus).  Uses the tree's Wine
# fixture, setting one up (and removing it again) when none runs.
set -euo pipefail
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$SOURCE_DIR/build}")
export SOURCE_DIR BUILD_DIR
CORPUS=$BUILD_DIR/bench-corpus
COPIES=5

[[ -f $CORPUS/pe.bin && -f $CORPUS/text.txt ]] ||
  { echo "no corpus in $CORPUS: cmake --build $BUILD_DIR --target bench_corpus" >&2; exit 2; }

source "$SOURCE_DIR/tests/wine/env.sh"
fixture_running() {
  local XVFB_PID="" XVFB_START=""
  [[ -f $WINE_STATE_FILE ]] && source "$WINE_STATE_FILE"
  [[ -n $XVFB_PID && $(process_start_time "$XVFB_PID") == "$XVFB_START" ]]
}
own_fixture=0
if ! fixture_running; then
  bash "$SOURCE_DIR/tests/wine/fixture.sh" setup >/dev/null
  own_fixture=1
fi

source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"
CAPTION="Bench Setup"
WORK_WIN='C:\tolvane-bench'
WORK=$(unix_path "$WORK_WIN")
finish() {
  rm -rf "$WORK"
  harness_exit
  ((own_fixture == 0)) || bash "$SOURCE_DIR/tests/wine/fixture.sh" cleanup >/dev/null
}
trap finish EXIT
rm -rf "$WORK"
mkdir -p "$WORK/big/files" "$WORK/tiny/files"
for i in $(seq 1 $COPIES); do cp "$CORPUS/pe.bin" "$WORK/big/files/pe$i.bin"; done
cp "$CORPUS/text.txt" "$WORK/big/files/"
echo tiny >"$WORK/tiny/files/tiny.txt"
for kind in big tiny; do
  printf '[Setup]\nTitle=Bench\nCaption=%s\nDefaultDir=Bench\nFullScreen=yes\n\n[File]\nSource=files\n' \
    "$CAPTION" >"$WORK/$kind/bench.tvp"
  build_package "$WORK/$kind/bench.tvp" "$WORK/$kind/out"
done
bytes=$(cat "$WORK"/big/files/* | wc -c)
stored=$(stat -c %s "$WORK/big/out/setup.exe")

now() { date +%s.%N; }

# Seconds from the start of setup.exe until its progress dialog shows the
# finished state (found by polling, about 0.3 s apart).
wine_install_time() {
  local start end
  rm -rf "$WORK/target"
  start=$(now)
  start_install "$WORK_WIN\\$1\\out\\setup.exe" "$WORK_WIN\\target"
  wait_finished 600
  end=$(now)
  press_ok
  wine_join
  echo "$end - $start" | bc
}

native=$( { /usr/bin/time -f %e "$TOOL" extract "$WORK/big/out/setup.exe" -C "$WORK/extracted" >/dev/null; } 2>&1)
cmp -s "$WORK/extracted/installpath/pe1.bin" "$CORPUS/pe.bin" || fail "tolvane extract wrote a wrong pe1.bin"
tiny=$(wine_install_time tiny)
big=$(wine_install_time big)
for i in $(seq 1 $COPIES); do
  cmp -s "$WORK/target/pe$i.bin" "$CORPUS/pe.bin" || fail "the installation wrote a wrong pe$i.bin"
done

printf 'package: %d bytes in %d files, installer %d bytes\n' "$bytes" $((COPIES + 1)) "$stored"
printf 'tolvane extract (native):             %6.2f s  %6.1f MB/s\n' "$native" "$(echo "$bytes / $native / 1000000" | bc -l)"
printf 'setup.exe under Wine, start to done:  %6.2f s\n' "$big"
printf '  of which a one-file package takes:  %6.2f s (start-up, dialogs, polling)\n' "$tiny"
net=$(echo "$big - $tiny" | bc)
printf '  installation proper:                %6.2f s  %6.1f MB/s\n' "$net" "$(echo "$bytes / $net / 1000000" | bc -l)"
