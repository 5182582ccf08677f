#!/usr/bin/env python3
"""Draws the pictures of the theme skins and the track-bar resources.

usage: skingen.py skin NAME OUTDIR   the bitmaps of theme NAME ("standar" or "macos")
       skingen.py track OUTDIR       track.bmp (16 x 4) and trackvert.bmp (4 x 16), 16 colours:
                                     the channel pictures of a skin that has none
       skingen.py menu OUTDIR        lumivexmenu.bmp (64 x 16, one bit): the skinned system
                                     menu's glyphs Restore, Maximize, Minimize, Close
       skingen.py mediaplayer OUTDIR the 27 media-player glyphs (16 colours, olive background)
                                     and mpglyphs.rc, which names them EN_MPPLAY .. CL_MPEJECT

Every picture is drawn by our own code; nothing is read from anywhere."""

import os
import sys

import mpglyphs
import skinpaint

# The track-bar channel the modules carry: a sunken groove in four greys.
TRACK_PALETTE = [(0, 0, 0), (128, 128, 128), (160, 160, 160), (212, 212, 212), (255, 255, 255)]


def track_pictures():
    dark, mid, light, white = TRACK_PALETTE[1], TRACK_PALETTE[2], TRACK_PALETTE[3], TRACK_PALETTE[4]
    img = skinpaint.Image(16, 4, light)
    img.hline(0, 16, 0, dark)
    img.hline(1, 16, 1, mid)
    img.vline(0, 0, 4, dark)
    img.hline(0, 16, 3, white)
    img.vline(15, 1, 4, white)
    return {"track": img, "trackvert": img.transposed()}


# The system menu's glyphs: black strokes on white (white is the image list's mask colour),
# one 16 x 16 cell each, in the menu's image order.
def menu_glyphs():
    black, white = (0, 0, 0), (255, 255, 255)
    img = skinpaint.Image(64, 16, white)

    def box(x0, y0, x1, y1, top):
        img.fill(x0, y0, x1, y0 + top, black)
        img.vline(x0, y0, y1, black)
        img.vline(x1 - 1, y0, y1, black)
        img.hline(x0, x1, y1 - 1, black)

    box(6, 3, 13, 10, 2)           # Restore: two overlapping windows
    img.fill(4, 6, 11, 13, white)
    box(3, 6, 10, 13, 2)
    box(16 + 3, 3, 16 + 13, 13, 2)  # Maximize
    img.fill(32 + 4, 10, 32 + 11, 12, black)  # Minimize
    for i in range(8):              # Close: a cross
        for d in (0, 1):
            img.set(48 + 4 + i + d, 4 + i, black)
            img.set(48 + 11 - i + d, 4 + i, black)
    return {"lumivexmenu": img}


def bmp1(img):
    """A two-colour BMP of black and white pixels."""
    stride = ((img.w + 31) // 32) * 4
    pixels = bytearray()
    for y in range(img.h - 1, -1, -1):
        line = bytearray(stride)
        for x in range(img.w):
            if img.get(x, y) != (0, 0, 0):
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return skinpaint._bmp_file(img.w, img.h, 1, table, pixels)


def write(folder, pictures, encode):
    os.makedirs(folder, exist_ok=True)
    for name, img in sorted(pictures.items()):
        with open(os.path.join(folder, name + ".bmp"), "wb") as f:
            f.write(encode(img))


def write_mediaplayer(folder):
    write(folder, mpglyphs.pictures(), lambda img: skinpaint.bmp4(img, mpglyphs.PALETTE))
    folder = os.path.abspath(folder).replace("\\", "/")
    lines = ['%s BITMAP "%s/%s.bmp"\n' % (name, folder, name.lower()) for name in mpglyphs.resource_names()]
    with open(os.path.join(folder, "mpglyphs.rc"), "w") as f:
        f.writelines(lines)


def main(argv):
    if len(argv) == 4 and argv[1] == "skin" and argv[2] in ("standar", "macos"):
        module = __import__(argv[2])
        write(argv[3], module.pictures(), skinpaint.bmp24)
        return 0
    if len(argv) == 3 and argv[1] == "track":
        write(argv[2], track_pictures(), lambda img: skinpaint.bmp4(img, TRACK_PALETTE))
        return 0
    if len(argv) == 3 and argv[1] == "mediaplayer":
        write_mediaplayer(argv[2])
        return 0
    if len(argv) == 3 and argv[1] == "menu":
        write(argv[2], menu_glyphs(), bmp1)
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(sys.argv))
