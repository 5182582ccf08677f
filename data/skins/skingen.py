#!/usr/bin/env python3
"""Draws the pictures of the theme skins and the track-bar resources.

usage: skingen.py skin NAME OUTDIR   the bitmaps of theme NAME ("standar" or "macos")
       skingen.py track OUTDIR       track.bmp (16 x 4) and trackvert.bmp (4 x 16), 16 colours:
                                     the channel pictures of a skin that has none

Every picture is drawn by our own code; nothing is read from anywhere."""

import os
import sys

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


def write(folder, pictures, encode):
    os.makedirs(folder, exist_ok=True)
    for name, img in sorted(pictures.items()):
        with open(os.path.join(folder, name + ".bmp"), "wb") as f:
            f.write(encode(img))


def main(argv):
    if len(argv) == 4 and argv[1] == "skin" and argv[2] in ("standar", "macos"):
        module = __import__(argv[2])
        write(argv[3], module.pictures(), skinpaint.bmp24)
        return 0
    if len(argv) == 3 and argv[1] == "track":
        write(argv[2], track_pictures(), lambda img: skinpaint.bmp4(img, TRACK_PALETTE))
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(sys.argv))
