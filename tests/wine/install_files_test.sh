#!/bin/bash
# Files at the edges of the streaming decoder's write buffer (0, 65535 and
# 65536 bytes), one larger than 100 MB (no 16-bit count anywhere on the
# way), files given attributes (read-only, hidden, system), and a quoted
# name (one with %temppath%) whose directories do not exist yet: they are
# created and logged deepest first.  The package asks for a tail record
# but has no shortcut to name its file: the installation still completes.
# ctest-timeout: 600
source "$SOURCE_DIR/tests/wine/harness.sh"
source "$SOURCE_DIR/tests/wine/install_lib.sh"

CAPTION="Files Setup"
WORK=$(unix_path 'C:\tolvane-files')
TARGET_WIN='C:\tolvane-files\target'
TARGET=$(unix_path "$TARGET_WIN")
STAMP="2001-02-03 04:05:06.000000000"
TEMP_WIN=$(wine cmd /c 'echo %TEMP%' | tr -d '\r')
TEMP_WIN=${TEMP_WIN%\\}
NEW_DIR=$(unix_path "$TEMP_WIN\\tolvane-new")
BIG=110000000

cleanup() {
  rm -rf "$WORK" "$NEW_DIR"
  harness_exit
}
trap cleanup EXIT
rm -rf "$WORK" "$NEW_DIR"
P=$WORK/project
mkdir -p "$P/files/sub"
: >"$P/files/zero.txt"
make_file "$P/files/f65535.bin" 65535
make_file "$P/files/f65536.bin" 65536
make_file "$P/files/big.bin" $BIG
# Incompressible bytes make the stream longer than the reader's buffer.
head -c 300000 /dev/urandom >"$P/files/random.bin"
for n in ro hid sys; do make_file "$P/files/$n.txt" 100; done
make_file "$P/files/sub/after.txt" 50
make_file "$P/files/quoted.txt" 70

cat >"$P/files.tvp" <<TVP
[Setup]
Title=Files Test
Caption=$CAPTION
DefaultDir=Files Test
FullScreen=no
WriteLog=yes
LogPath="%installpath%\\uninstal.ini"
FileTime=2001-02-03 04:05:06

[File]
Source=files/quoted.txt
Destination=%temppath%\\tolvane-new\\deeper

[File]
Source=files/zero.txt

[File]
Source=files/f65535.bin

[File]
Source=files/f65536.bin

[File]
Source=files/random.bin

[File]
Source=files/big.bin

[File]
Source=files/ro.txt
Attributes=readonly

[File]
Source=files/hid.txt
Attributes=hidden+archive

[File]
Source=files/sys.txt
Attributes=system

[File]
Source=files/sub/after.txt
Destination=sub
TVP
build_package "$P/files.tvp" "$WORK/out"
# The tool refuses a tail record without a shortcut to receive it; the
# header's flag (byte 18 behind the size word) is set by hand.
printf '\x01' | dd of="$WORK/out/setup.exe" bs=1 seek=$((53368 + 4 + 18)) conv=notrunc status=none

rm -rf "$TARGET"
start_install "$WORK/out/setup.exe" "$TARGET_WIN"
wait_finished 300
press_ok
wine_join || fail "setup.exe did not end"

for f in zero.txt f65535.bin f65536.bin random.bin big.bin ro.txt hid.txt sys.txt sub/after.txt "$NEW_DIR/deeper/quoted.txt"; do
  installed=$TARGET/$f source=$P/files/$f
  [[ $f == /* ]] && installed=$f source=$P/files/quoted.txt
  [[ -f $installed ]] || fail "$f was not installed"
  cmp -s "$installed" "$source" || fail "$f differs from its source ($(stat -c %s "$installed") bytes)"
  [[ $(utc_time "$installed") == "$STAMP" ]] || fail "$f has the time $(utc_time "$installed"), not $STAMP"
done

attributes() {  # the letters that attrib shows for a file
  wine cmd /c attrib "$TARGET_WIN\\$1" | tr -d '\r' | sed 's/ *[A-Za-z]:\\.*//' | tr -d ' '
}
# Wine reports the archive bit on every plain file, so A is always there.
[[ $(attributes ro.txt) == AR ]] || fail "ro.txt has the attributes '$(attributes ro.txt)', not AR"
[[ $(attributes hid.txt) == AH ]] || fail "hid.txt has the attributes '$(attributes hid.txt)', not AH"
[[ $(attributes sys.txt) == AS ]] || fail "sys.txt has the attributes '$(attributes sys.txt)', not AS"
[[ $(attributes zero.txt) == A ]] || fail "zero.txt has the attributes '$(attributes zero.txt)', not A"

dirs=$(log_lines "$TARGET/uninstal.ini" | awk '/^\[/ {on = ($0 == "[Directories]"); next} on')
expected="$TARGET_WIN=0
$TARGET_WIN\\sub=0
$TEMP_WIN\\tolvane-new\\deeper=0
$TEMP_WIN\\tolvane-new=0"
[[ $dirs == "$expected" ]] || fail "[Directories] of the log is:"$'\n'"$dirs"

echo "install_files: 0, 65535, 65536, $BIG bytes, attributes and a new quoted directory checked"
