#!/bin/bash
# fixture.sh cleanup in a scratch build tree (no Wine started): file systems
# that a killed test left mounted in the prefix - nested, stacked, with a
# blank in the name, one still in use - are unmounted and the prefix
# removed, while mounts beside the prefix, even one whose path starts with
# the prefix's path, and one that a drive link in the prefix points to stay
# mounted with their files.  Needs root for mount; skipped (77) without it.
set -euo pipefail
SOURCE_DIR=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}

SCRATCH=$(mktemp -d /tmp/tolvane-fixture-check.XXXXXX)
BUSY_PID=""

# Whatever the check leaves mounted below the scratch directory goes.
finish() {
  local point
  [[ -z $BUSY_PID ]] || kill "$BUSY_PID" 2>/dev/null || true
  while read -r point; do
    umount -l "$(printf '%b' "$point")" 2>/dev/null || true
  done < <(awk '{print $2}' /proc/self/mounts | grep -F "$SCRATCH" | sort -r)
  rm -rf "$SCRATCH"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

small_disk() {  # DIR [FILE]: a 64 KB tmpfs on DIR, with FILE in it
  mkdir -p "$1"
  mount -t tmpfs -o size=64k tolvane-check "$1"
  [[ -z ${2:-} ]] || echo data >"$1/$2"
}

PREFIX="$SCRATCH/wine/prefix"
DRIVE_C="$PREFIX/drive_c"
BESIDE="$SCRATCH/wine/prefix-beside"    # its path starts with the prefix's
LINKED="$SCRATCH/linked-disk"
mkdir -p "$DRIVE_C" "$PREFIX/dosdevices"

if ! small_disk "$DRIVE_C/full disk" data.bin 2>/dev/null; then
  echo "fixture_unmount: cannot mount a tmpfs (needs root); skipped"
  exit 77
fi
small_disk "$DRIVE_C/full disk/inner" inner.bin
small_disk "$DRIVE_C/stacked" lower.bin
small_disk "$DRIVE_C/stacked" upper.bin
small_disk "$DRIVE_C/busy"
(cd "$DRIVE_C/busy" && exec sleep 60) &
BUSY_PID=$!
small_disk "$BESIDE" beside.bin
small_disk "$LINKED" linked.bin
ln -s "$LINKED" "$PREFIX/dosdevices/m:"

output=$(BUILD_DIR="$SCRATCH" SOURCE_DIR="$SOURCE_DIR" bash "$SOURCE_DIR/tests/wine/fixture.sh" cleanup 2>&1) ||
  fail "cleanup failed:"$'\n'"$output"
[[ ! -e $PREFIX ]] || fail "the prefix is still there:"$'\n'"$output"
left=$(awk '{print $2}' /proc/self/mounts | grep -F "$PREFIX/" || true)
[[ -z $left ]] || fail "still mounted below the prefix: $left"
for file in "$BESIDE/beside.bin" "$LINKED/linked.bin"; do
  mountpoint -q "$(dirname "$file")" || fail "$(dirname "$file") was unmounted"
  [[ -f $file ]] || fail "$file was removed"
done
echo "fixture_unmount: nested, stacked, blank-named and busy mounts removed with the prefix; others kept"
