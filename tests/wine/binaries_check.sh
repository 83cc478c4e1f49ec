#!/bin/bash
# Checks every Windows binary of both architectures without running it:
# the machine type fits the architecture (i686: PE32 for i386, x86_64:
# PE32+) and it imports only the system DLLs that cmake/TolvaneWindows.cmake
# links, so no C runtime or compiler DLL slipped in.
set -euo pipefail
SOURCE_DIR=${SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
BUILD_DIR=${BUILD_DIR:-${TOLVANE_BUILD_DIR:-$SOURCE_DIR/build}}

# The system libraries every Windows program links; those with a DLL
# (libgcc is static) are the only DLLs a binary may import.
system_dlls() {
  sed -n 's/^set(TOLVANE_WIN_SYSTEM_LIBS \(.*\))$/\1/p' "$SOURCE_DIR/cmake/TolvaneWindows.cmake" |
    tr ' ' '\n' | grep -vx gcc | sed 's/$/.dll/'
}

failures=0
problem() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# check_binary FILE OBJDUMP FORMAT MAGIC ALLOWED_DLLS
check_binary() {
  local file=$1 objdump=$2 format=$3 magic=$4 allowed=$5 headers dll
  headers=$("$objdump" -p "$file") || { problem "$file: objdump cannot read it"; return; }
  grep -q "file format $format\$" <<<"$headers" || problem "$file: not $format"
  grep -qE "^Magic[[:space:]]+[0-9a-f]+[[:space:]]+\($magic\)" <<<"$headers" || problem "$file: not $magic"
  while read -r dll; do
    grep -qixF "$dll" <<<"$allowed" || problem "$file imports $dll, not a system DLL"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
}

# check_arch ARCH OBJDUMP FORMAT MAGIC
check_arch() {
  local dir="$BUILD_DIR/$1" file count=0
  for file in "$dir"/*.exe "$dir"/*.dll; do
    [[ -e $file ]] || continue
    check_binary "$file" "$2" "$3" "$4" "$allowed"
    count=$((count + 1))
  done
  [[ -f $dir/smoke.exe ]] || problem "$dir/smoke.exe is missing; is the $1 build done?"
  echo "$1: $count binaries checked"
}

allowed=$(system_dlls)
[[ -n $allowed ]] || { echo "FAIL: no system libraries found in cmake/TolvaneWindows.cmake" >&2; exit 1; }
check_arch i686 i686-w64-mingw32-objdump pei-i386 PE32
check_arch x86_64 x86_64-w64-mingw32-objdump pei-x86-64 'PE32\+'
((failures == 0)) || exit 1
