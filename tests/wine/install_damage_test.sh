#!/bin/bash
# Installations that cannot go through, each with its message after the
# progress dialog has closed: a target that cannot be created ("Can't open
# file"; a directory of its name is in the way: Wine run as root lets a
# read-only file be opened for writing, so that case cannot fail here), a
# full disk ("Error writing into file", the partly written file stays), a
# tail record whose file is missing ("Can't open file" naming it), a
# record of an unknown type and a record name longer than the name field
# ("Wrong structure of archive", naming the installer).  And a damaged stream whose last match runs past
# the file's size: the file gets exactly its size, and the files behind it
# still install.
# ctest-timeout: 300
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Damage Setup"
WORK_WIN='C:\tolvane-damage'
WORK=$(unix_path "$WORK_WIN")
TARGET_WIN="$WORK_WIN\\target"
TARGET=$(unix_path "$TARGET_WIN")
PACKAGE_BASE=53368

FULL=$(unix_path "$WORK_WIN\\small-disk")

cleanup() {
  harness_exit
  if mountpoint -q "$FULL"; then umount "$FULL"; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
rm -rf "$WORK"
P=$WORK/project
mkdir -p "$P/files" "$P/full"
# 121 equal bytes: a literal and two matches of 60, so the last item is a
# long match.
head -c 121 /dev/zero | tr '\0' A >"$P/files/aaa.txt"
make_file "$P/files/bbb.txt" 5000
make_file "$P/files/ro.txt" 100
head -c 3000000 /dev/urandom >"$P/full/big.bin"
cat >"$P/damage.tvp" <<TVP
[Setup]
Title=Damage Test
Caption=$CAPTION
DefaultDir=Damage Test
FullScreen=no

[File]
Source=files/aaa.txt

[File]
Source=files/bbb.txt

[File]
Source=files/ro.txt
Attributes=readonly
TVP
build_package "$P/damage.tvp" "$WORK/good"
cat >"$P/full.tvp" <<TVP
[Setup]
Title=Full Disk Test
Caption=$CAPTION
DefaultDir=Damage Test
FullScreen=no

[File]
Source=full/big.bin
Destination=small
TVP
build_package "$P/full.tvp" "$WORK/full"
cat >"$P/tail.tvp" <<TVP
[Setup]
Title=Tail Test
Caption=$CAPTION
DefaultDir=Damage Test
FullScreen=no
WriteLog=yes
TailLogPath=yes
Group=Tail Test

[File]
Source=files/bbb.txt

[Shortcut]
Name=Missing
Command="%installpath%\\missing.exe"
TVP
build_package "$P/tail.tvp" "$WORK/tail"

# patch FILE OFFSET BYTES...: overwrites bytes in place.
patch() {
  local file=$1 offset=$2
  shift 2
  printf "$(printf '\\x%02x' "$@")" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

variant() {  # a copy of the good installer to damage
  mkdir -p "$WORK/$1"
  cp "$WORK/good/setup.exe" "$WORK/$1/setup.exe"
  echo "$WORK/$1/setup.exe"
}

# ---- a target that cannot be created, a disk that runs full ----

rm -rf "$TARGET"
mkdir -p "$TARGET/ro.txt"
start_install "$WORK_WIN\\good\\setup.exe" "$TARGET_WIN"
expect_failure "Can't open file ro.txt"
cmp -s "$TARGET/bbb.txt" "$P/files/bbb.txt" || fail "the files before the failing one were not kept"

# The directory "small" of the package is a 512 KB disk of its own, so
# the options dialog's space check (on the installation drive) passes.
mkdir -p "$FULL"
if mount -t tmpfs -o size=512k tmpfs "$FULL" 2>/dev/null; then
  rm -rf "$TARGET"
  mkdir -p "$TARGET"
  ln -s "$FULL" "$TARGET/small"
  start_install "$WORK_WIN\\full\\setup.exe" "$TARGET_WIN"
  expect_failure "Error writing into file big.bin"
  written=$(stat -c %s "$FULL/big.bin")
  ((written > 0 && written < 3000000)) || fail "the partly written big.bin has $written bytes"
  umount "$FULL"
else
  echo "install_damage: no tmpfs could be mounted; the full-disk case is skipped"
fi

# ---- the tail record's file is not there ----

rm -rf "$TARGET"
start_install "$WORK_WIN\\tail\\setup.exe" "$TARGET_WIN"
expect_failure "Can't open file $TARGET_WIN\\missing.exe"
cmp -s "$TARGET/bbb.txt" "$P/files/bbb.txt" || fail "the files before the tail record were not kept"

# ---- unknown record type, and a name longer than 255 bytes ----

exe=$(variant type)
size=$(stat -c %s "$exe")
patch "$exe" $((size - 16)) 5
rm -rf "$TARGET"
start_install "$WORK_WIN\\type\\setup.exe" "$TARGET_WIN"
expect_failure "Wrong structure of archive $WORK_WIN\\type\\setup.exe"
cmp -s "$TARGET/bbb.txt" "$P/files/bbb.txt" || fail "the files before the damaged record were not kept"

exe=$(variant name)
patch "$exe" $((size - 16)) 1
patch "$exe" $((size - 2)) 0x2c 0x01   # name length 300
rm -rf "$TARGET"
start_install "$WORK_WIN\\name\\setup.exe" "$TARGET_WIN"
expect_failure "Wrong structure of archive $WORK_WIN\\name\\setup.exe"

# ---- a last match past the size: aaa.txt's size word says 120, not 121 ----

exe=$(variant overrun)
strings_size=$(od -An -tu4 -j $((PACKAGE_BASE + 4 + 4)) -N4 "$exe" | tr -d ' ')
stream=$((PACKAGE_BASE + 4 + 69 + strings_size))
[[ $(dd if="$exe" bs=1 skip=$((stream + 16)) count=7 status=none) == aaa.txt ]] ||
  fail "the first record of the package is not aaa.txt"
word=$((stream + 16 + 7))
[[ $(od -An -tu4 -j $word -N4 "$exe" | tr -d ' ') == 121 ]] || fail "aaa.txt's size word is not 121"
patch "$exe" $word 120 0 0 0
rm -rf "$TARGET"
install "$WORK_WIN\\overrun\\setup.exe" "$TARGET_WIN"
[[ $(stat -c %s "$TARGET/aaa.txt") == 120 ]] || fail "aaa.txt has $(stat -c %s "$TARGET/aaa.txt") bytes, not its size 120"
cmp -s -n 120 "$TARGET/aaa.txt" "$P/files/aaa.txt" || fail "aaa.txt holds other bytes than A"
cmp -s "$TARGET/bbb.txt" "$P/files/bbb.txt" || fail "bbb.txt after the damaged stream differs"
cmp -s "$TARGET/ro.txt" "$P/files/ro.txt" || fail "ro.txt after the damaged stream differs"

echo "install_damage: blocked target, full disk, record type, long name and overrunning match checked"
