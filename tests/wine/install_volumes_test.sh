#!/bin/bash
# A package in volume files whose size is chosen so that the volume ends
# fall inside a record header, inside a name and inside a compressed
# stream.  Installed as it is; with disk2.pak and the later volumes moved
# to another directory and disk2.pak picked there in the file dialog (the
# later volumes are then found there, and the files still land where the
# records say, so the current directory did not move); with the file
# dialog cancelled; with disk2.pak one byte too long; with an unknown
# record type in the last volume; and from drive A:,
# where the missing volume is asked for with "Insert disk 2" first.
# ctest-timeout: 400
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Volume Setup"
WORK_WIN='C:\tolvane-volumes'
WORK=$(unix_path "$WORK_WIN")
TARGET_WIN="$WORK_WIN\\target"
TARGET=$(unix_path "$TARGET_WIN")
FLOPPY="$WINEPREFIX/dosdevices/a:"

cleanup() {
  rm -rf "$WORK" "$FLOPPY"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK" "$FLOPPY"
P=$WORK/project
mkdir -p "$P/files/documentation-directory"
for i in 1 2 3 4 5 6 7 8; do
  make_file "$P/files/text-file-number-$i.txt" $((i * 900))
  head -c $((i * 150)) /dev/urandom >"$P/files/random-bytes-$i.bin"
done
make_file "$P/files/documentation-directory/a-rather-long-file-name-in-a-directory.txt" 3000

project() {  # VOLUME_SIZE
  cat <<TVP
[Setup]
Title=Volume Test
Caption=$CAPTION
DefaultDir=Volume Test
FullScreen=no
FileTime=2024-01-15 12:00:00
VolumeSize=$1

[File]
Source=files
Recurse=yes
TVP
}

# The record stream does not depend on the volume size: lay it out once
# from the listing and find a size whose volume ends cut a header, a name
# and a stream.  Prints "size volumes".
choose_volume_size() {
  "$TOOL" list "$1" | awk -v first="$2" '
    /^  *file / { name = $2; stored = $5; add(length(name), stored); next }
    /^  *dir / { name = $2; sub(/\\$/, "", name); add(length(name), 0); next }
    /^  *(up|end)$/ { add(0, 0) }
    function add(nameLength, body) {
      start[n] = total; nameEnd[n] = total + 16 + nameLength; end[n] = nameEnd[n] + body; total = end[n]; n++
    }
    function kind(p,   i) {
      for (i = 0; i < n; i++) if (p > start[i] && p < end[i]) {
        if (p < start[i] + 16) return "header"
        if (p < nameEnd[i]) return "name"
        if (p > nameEnd[i] + 4) return "stream"
        return ""
      }
      return ""
    }
    END {
      for (size = first + 16; size < first + 3000; size++) {
        delete seen; count = 1
        for (p = size - first; p < total; p += size - 4) { seen[kind(p)] = 1; count++ }
        if (count >= 3 && ("header" in seen) && ("name" in seen) && ("stream" in seen)) { print size, count; exit }
      }
    }'
}

project 1000000 >"$P/one.tvp"
build_package "$P/one.tvp" "$WORK/one"
[[ ! -f $WORK/one/disk2.pak ]] || fail "a 1 MB volume size made more than one volume"
strings_size=$("$TOOL" list "$WORK/one/disk1.pak" | awk '$1 == "stringsSize" {print $2}')
read -r size volumes < <(choose_volume_size "$WORK/one/disk1.pak" $((4 + 69 + strings_size)))
[[ -n ${size:-} ]] || fail "no volume size cuts a header, a name and a stream"
echo "volume size $size: $volumes volumes"
project "$size" >"$P/set.tvp"
build_package "$P/set.tvp" "$WORK/set"
[[ -f $WORK/set/disk$volumes.pak && ! -f $WORK/set/disk$((volumes + 1)).pak ]] ||
  fail "tolvane build did not write $volumes volumes of $size bytes"

check_installed() {
  local f
  for f in $(cd "$P/files" && find . -type f); do
    cmp -s "$TARGET/$f" "$P/files/$f" || fail "$f is missing or differs after $1"
  done
}

copy_set() {  # NAME: a copy of the installer and its volumes
  rm -rf "${WORK:?}/$1"
  cp -r "$WORK/set" "$WORK/$1"
}

# ---- all volumes beside the installer ----

rm -rf "$TARGET"
install "$WORK_WIN\\set\\setup.exe" "$TARGET_WIN"
check_installed "an installation from $volumes volumes"

# ---- disk2.pak and later in another directory, picked in the file dialog ----

copy_set moved
mkdir -p "$WORK/moved/other"
mv "$WORK"/moved/disk[2-9]*.pak "$WORK/moved/other/"
rm -rf "$TARGET"
start_install "$WORK_WIN\\moved\\setup.exe" "$TARGET_WIN"
robot pick <<EOF || fail "the volume file dialog was not as expected (see $ARTIFACTS/pick.log)"
wait class=#32770 caption=Open timeout=60
set-text 1148 "$WORK_WIN\\moved\\other\\disk2.pak"
press 1
wait-gone
EOF
wait_finished
press_ok
wine_join || fail "setup.exe did not end"
check_installed "disk2.pak was picked in another directory"
[[ $(ls "$WORK/moved/other") == "$(cd "$WORK/moved/other" && ls disk*.pak)" ]] ||
  fail "files were written beside the picked volume: $(ls "$WORK/moved/other")"

# ---- the file dialog cancelled ----

copy_set missing
rm "$WORK/missing/disk2.pak"
rm -rf "$TARGET"
start_install "$WORK_WIN\\missing\\setup.exe" "$TARGET_WIN"
robot cancel <<EOF || fail "the volume file dialog could not be cancelled (see $ARTIFACTS/cancel.log)"
wait class=#32770 caption=Open timeout=60
press 2
wait-gone
EOF
expect_failure "Can't open file disk2.pak"

# ---- disk2.pak one byte longer than its size word ----

copy_set long
printf 'x' >>"$WORK/long/disk2.pak"
rm -rf "$TARGET"
start_install "$WORK_WIN\\long\\setup.exe" "$TARGET_WIN"
expect_failure "It's wrong size c:\\tolvane-volumes\\long\\disk2.pak. Its length is $((size + 1)) bytes, but it must be $size bytes!"

# ---- an unknown record type in the last volume: named in the installer's directory ----

copy_set badtype
last=$WORK/badtype/disk$volumes.pak
printf '\x05' | dd of="$last" bs=1 seek=$(($(stat -c %s "$last") - 16)) conv=notrunc status=none
rm -rf "$TARGET"
start_install "$WORK_WIN\\badtype\\setup.exe" "$TARGET_WIN"
expect_failure "Wrong structure of archive $WORK_WIN\\badtype\\disk$volumes.pak"

# ---- from drive A: with disk2.pak missing: "Insert disk 2" first ----

copy_set floppy
rm "$WORK/floppy/disk2.pak"
ln -s "$WORK/floppy" "$FLOPPY"
rm -rf "$TARGET"
start_install 'A:\setup.exe' "$TARGET_WIN"
robot floppy <<EOF || fail "the insert-disk prompt was not as expected (see $ARTIFACTS/floppy.log)"
wait class=#32770 caption="Attention!" timeout=60
expect-text 65535 "Insert disk 2"
answer ok
wait-gone
wait class=#32770 caption="Attention!" timeout=10
expect-text 65535 "Insert disk 2"
answer cancel
wait-gone
wait class=#32770 caption=Open timeout=10
press 2
wait-gone
EOF
expect_failure "Can't open file disk2.pak"

echo "install_volumes: $volumes volumes of $size bytes, picked, cancelled, too long and floppy cases checked"
