#!/usr/bin/env python3
"""The program icon: velmora.txt (32 rows of 32 characters, a hexadecimal digit picks one of
the 16 standard colours, '.' is transparent) made into a 32 x 32, 16-colour .ico file.

  makeicon.py ico PICTURE OUT.ico       writes the icon file
  makeicon.py formdata PICTURE          prints the icon as the hex block of a form file
  makeicon.py check PICTURE FORM OBJECT fails unless OBJECT's Icon.Data in FORM is this icon
"""
import re
import struct
import sys

SIZE = 32
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def read_picture(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii") if line.strip()]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        sys.exit(f"{path}: the picture must be {SIZE} rows of {SIZE} characters")
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c != "." and c not in "0123456789ABCDEFabcdef":
                sys.exit(f"{path}({y + 1}): '{c}' at column {x + 1} is no colour")
    return rows


def ico_bytes(rows):
    # Colour bits, 4 a pixel, and the transparency mask, 1 a pixel; both bottom-up.
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for x in range(0, SIZE, 2):
            hi, lo = (0 if c == "." else int(c, 16) for c in row[x:x + 2])
            xor.append(hi << 4 | lo)
        bits = 0
        for c in row:
            bits = bits << 1 | (c == ".")
        mask += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def form_lines(data, indent="      "):
    text = data.hex().upper()
    return [indent + text[i:i + 64] for i in range(0, len(text), 64)]


def form_icon_data(form_path, obj):
    text = open(form_path, encoding="latin-1").read()
    block = re.search(r"object\s+" + re.escape(obj) + r"\s*:.*?Icon\.Data\s*=\s*\{([0-9A-Fa-f\s]*)\}", text, re.S)
    if not block:
        sys.exit(f"{form_path}: {obj} has no Icon.Data")
    return bytes.fromhex(re.sub(r"\s", "", block.group(1)))


def main(argv):
    if len(argv) == 4 and argv[1] == "ico":
        open(argv[3], "wb").write(ico_bytes(read_picture(argv[2])))
    elif len(argv) == 3 and argv[1] == "formdata":
        lines = form_lines(ico_bytes(read_picture(argv[2])))
        print("Icon.Data = {\n" + "\n".join(lines) + "}")
    elif len(argv) == 5 and argv[1] == "check":
        if form_icon_data(argv[3], argv[4]) != ico_bytes(read_picture(argv[2])):
            sys.exit(f"{argv[3]}: {argv[4]}.Icon.Data differs from {argv[2]}; "
                     f"paste the output of 'makeicon.py formdata {argv[2]}'")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
