#!/usr/bin/env python3
"""Writes the engine's icon (101, 32x32) and the directory browser's eleven
16x16 pictures (101-111) as 16-colour files from the drawings below.

Run from anywhere: python3 draw_pictures.py [OUTPUT_DIR]
(default: the pictures/ folder beside this script).  The outputs are
committed; run this again after changing a drawing.

A drawing is a list of rows; each character is a pixel:
  '.'          transparent (black in the image, white in its mask)
  0-9, a-f     an opaque pixel of that colour of the 16-colour palette
The browser draws a picture as its image over a mask (mask AND, image
OR), so the pictures that share a mask must share their shape; the masks
are derived from the drawings and checked.
"""
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, WHITE = 0, 15

# Drives: one box shape for all five (they share mask 109).
CDROM = [
    "................",
    "................",
    "................",
    "................",
    "ffffffffffffffff",
    "f777788887777770",
    "f7778ffff8777770",
    "f778ff00ff877770",
    "f778ff00ff877770",
    "f7778ffff8777770",
    "f777788887777770",
    "f70000000000c770",
    "8888888888888880",
    "0000000000000000",
    "................",
    "................",
]
REMOVABLE = [
    "................",
    "................",
    "................",
    "................",
    "ffffffffffffffff",
    "f777777777777770",
    "f777777777777770",
    "f700000000000070",
    "f788888888888870",
    "f777777777777770",
    "f777777777788770",
    "f777777777777a70",
    "8888888888888880",
    "0000000000000000",
    "................",
    "................",
]
FIXED = [
    "................",
    "................",
    "................",
    "................",
    "ffffffffffffffff",
    "f777777777777770",
    "f788888888888870",
    "f7ffffffffffff70",
    "f777777777777770",
    "f788888888888870",
    "f7ffffffffffff70",
    "f777777777777a70",
    "8888888888888880",
    "0000000000000000",
    "................",
    "................",
]
REMOTE = [
    "................",
    "................",
    "................",
    "................",
    "ffffffffffffffff",
    "f777777777777770",
    "f777766666677770",
    "f77776eeee677770",
    "f77776eeee677770",
    "f777766666677770",
    "f777777007777770",
    "f700000000000070",
    "8888888888888880",
    "0000000000000000",
    "................",
    "................",
]
RAMDISK = [
    "................",
    "................",
    "................",
    "................",
    "ffffffffffffffff",
    "f222222222222220",
    "f200002000020020",
    "f200002000020020",
    "f200002000020020",
    "f222222222222220",
    "f2b2b2b2b2b2b220",
    "f222222222222220",
    "8888888888888880",
    "0000000000000000",
    "................",
    "................",
]
FOLDER_CLOSED = [
    "................",
    "................",
    "..00000.........",
    ".0bfbfb0........",
    "0bfbfbfb00000000",
    "0ffffffffffffff0",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0fbbbbbbbbbbbb30",
    "0333333333333330",
    "0000000000000000",
    "................",
]
# Open folders (107 a component of the path, 108 the current directory)
# share mask 111; the current one holds a sheet of paper.
FOLDER_PATH = [
    "................",
    "................",
    ".0000...........",
    "0bbbb0..........",
    "0b3333000000000.",
    "0b333333333333b0",
    "0b333333333333b0",
    "0b33000000000000",
    "0b30fffffffffff0",
    "0b30bbbbbbbbbbb0",
    "0b0fbbbbbbbbbb0.",
    "0b0bbbbbbbbbbb0.",
    "00fbbbbbbbbbb0..",
    "00000000000000..",
    "................",
    "................",
]
FOLDER_CURRENT = [
    "................",
    "................",
    ".0000...........",
    "0bbbb0..........",
    "0b33ffffffff000.",
    "0b33f888888f33b0",
    "0b33ffffffff33b0",
    "0b33000000000000",
    "0b30fffffffffff0",
    "0b30bbbbbbbbbbb0",
    "0b0fbbbbbbbbbb0.",
    "0b0bbbbbbbbbbb0.",
    "00fbbbbbbbbbb0..",
    "00000000000000..",
    "................",
    "................",
]


def draw_icon():
    """The installer's icon, 32x32: a green arrow pointing into a box."""
    rows = [["."] * 32 for _ in range(32)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                rows[y][x] = colour

    # The box: olive body, yellow rim, a white label with two lines.
    fill(3, 16, 28, 30, "0")
    fill(4, 17, 27, 29, "3")
    fill(4, 17, 27, 18, "b")
    fill(10, 22, 21, 27, "f")
    fill(12, 24, 19, 24, "8")
    fill(12, 26, 17, 26, "8")
    # The arrow: a shaft and a head that narrows into the box's rim.
    fill(12, 0, 19, 10, "0")
    fill(13, 1, 18, 10, "a")
    for step in range(9):
        y = 10 + step
        left, right = 5 + step, 26 - step
        if left > right:
            break
        fill(left, y, right, y, "0")
        if left + 1 <= right - 1:
            fill(left + 1, y, right - 1, y, "2" if step == 8 else "a")
    fill(13, 10, 18, 10, "a")
    return ["".join(r) for r in rows]


def check(drawing, size):
    assert len(drawing) == size, "a drawing has %d rows" % len(drawing)
    for row in drawing:
        assert len(row) == size, "row %r is not %d wide" % (row, size)
        for c in row:
            assert c == "." or c in "0123456789abcdef", c


def opaque(drawing):
    return [[c != "." for c in row] for row in drawing]


def mask_of(drawings):
    """The shared mask: black where the pictures are, white around them."""
    shape = opaque(drawings[0])
    for drawing in drawings[1:]:
        assert opaque(drawing) == shape, "pictures that share a mask differ in shape"
    return ["".join("0" if o else "f" for o in row) for row in shape]


def pixels(drawing):
    """Palette indexes, transparent pixels black."""
    return [[0 if c == "." else int(c, 16) for c in row] for row in drawing]


def packed_rows(indexes):
    """4-bit rows, bottom-up, each padded to 4 bytes."""
    out = b""
    for row in reversed(indexes):
        data = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def bitmap_file(drawing):
    bits = packed_rows(pixels(drawing))
    offset = 14 + 40 + 64
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info_header(16, len(drawing), len(bits)) + palette_bytes() + bits


def icon_file(drawing):
    size = len(drawing)
    colour = packed_rows(pixels(drawing))
    mask = b""
    for row in reversed(drawing):
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c == "." else 0)
        data = bits.to_bytes(size // 8, "big")
        mask += data + b"\0" * (-len(data) % 4)
    image = info_header(size, size * 2, len(colour) + len(mask)) + palette_bytes() + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "pictures")
    os.makedirs(out, exist_ok=True)
    drives = [CDROM, REMOVABLE, FIXED, REMOTE, RAMDISK]
    opened = [FOLDER_PATH, FOLDER_CURRENT]
    pictures = {
        "cdrom": CDROM, "removable": REMOVABLE, "fixed": FIXED,
        "remote": REMOTE, "ramdisk": RAMDISK, "folder_closed": FOLDER_CLOSED,
        "folder_path": FOLDER_PATH, "folder_current": FOLDER_CURRENT,
        "mask_drive": mask_of(drives), "mask_folder_closed": mask_of([FOLDER_CLOSED]),
        "mask_folder_open": mask_of(opened),
    }
    for name, drawing in pictures.items():
        check(drawing, 16)
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bitmap_file(drawing))
    icon = draw_icon()
    check(icon, 32)
    with open(os.path.join(out, "engine.ico"), "wb") as f:
        f.write(icon_file(icon))


if __name__ == "__main__":
    main()
