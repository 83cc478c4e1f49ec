#!/bin/sh
# Assembles the fixed LZARI benchmark corpus from files a Debian machine
# with Wine has: pe.bin (Windows DLLs and a program shipped by Wine, one
# after the other) and text.txt (the licence texts of common-licenses).
# usage: make-bench-corpus.sh OUTDIR
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
out=$1
wine_dir=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
licences=/usr/share/common-licenses
pe_files="kernel32.dll advapi32.dll cabinet.dll version.dll clock.exe"

for name in $pe_files; do
  if [ ! -f "$wine_dir/$name" ]; then
    echo "$0: $wine_dir/$name is missing (package wine64)" >&2
    exit 1
  fi
done
if [ ! -d "$licences" ]; then
  echo "$0: $licences is missing (package base-files)" >&2
  exit 1
fi

mkdir -p "$out"
: > "$out/pe.bin.tmp"
for name in $pe_files; do
  cat "$wine_dir/$name" >> "$out/pe.bin.tmp"
done
# Sorted by name, plain files only, so the text is the same on every run.
find "$licences" -maxdepth 1 -type f | LC_ALL=C sort | xargs cat > "$out/text.txt.tmp"
mv "$out/pe.bin.tmp" "$out/pe.bin"
mv "$out/text.txt.tmp" "$out/text.txt"
