#!/usr/bin/env python3
"""The desktop clock's pictures: seven-segment digits "Hour_0.bmp" to "Hour_9.bmp", the colon
"Colon_ON.bmp" and "AM.bmp", "PM.bmp", written as 24-bit BMP files into the folder given.

The sizes are those the clock shows them at (digits about 22 x 38, the colon 10 x 35, AM and PM
43 x 22), so the hour and minute digits are drawn almost one to one and the small seconds stay
readable when squeezed. Edges are smoothed by sampling each pixel 4 x 4 times.
"""
import os
import struct
import sys

BACKGROUND = (0, 0, 0)
LIT = (64, 255, 150)
UNLIT = (12, 34, 22)  # the faint shape of a segment that is off

DIGIT_W, DIGIT_H = 22, 38
THICK = 4.2
GAP = 0.7

# Segments a (top), b (top right), c (bottom right), d (bottom), e (bottom left), f (top left),
# g (middle) lit for each digit.
SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg",
}

# 5 x 7 letters for AM and PM.
LETTERS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
}


class Picture:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[BACKGROUND] * width for _ in range(height)]

    def fill(self, inside, colour, samples=4):
        """Blends colour into every pixel by the share of its samples for which inside(x, y) holds."""
        for py in range(self.height):
            for px in range(self.width):
                hits = sum(inside(px + (i + 0.5) / samples, py + (j + 0.5) / samples)
                           for i in range(samples) for j in range(samples))
                if hits:
                    share = hits / (samples * samples)
                    old = self.pixels[py][px]
                    self.pixels[py][px] = tuple(round(o + (c - o) * share) for o, c in zip(old, colour))

    def bmp(self):
        row_size = (self.width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.pixels):
            line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
            data += line + b"\0" * (row_size - len(line))
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
        return header + info + bytes(data)


def convex(points):
    """Point-in-polygon test for a convex polygon given clockwise or anticlockwise."""
    def inside(x, y):
        sign = 0
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
            if cross:
                if sign and (cross > 0) != (sign > 0):
                    return False
                sign = cross
        return True
    return inside


def horizontal(x0, x1, y, h):
    return convex([(x0, y), (x0 + h, y - h), (x1 - h, y - h), (x1, y), (x1 - h, y + h), (x0 + h, y + h)])


def vertical(x, y0, y1, h):
    return convex([(x, y0), (x + h, y0 + h), (x + h, y1 - h), (x, y1), (x - h, y1 - h), (x - h, y0 + h)])


def segment_shapes(width, height):
    h = THICK / 2
    left, right = 1.2 + h, width - 1.2 - h
    top, bottom = 1.2 + h, height - 1.2 - h
    middle = height / 2
    return {
        "a": horizontal(left + GAP, right - GAP, top, h),
        "d": horizontal(left + GAP, right - GAP, bottom, h),
        "g": horizontal(left + GAP, right - GAP, middle, h),
        "f": vertical(left, top + GAP, middle - GAP, h),
        "b": vertical(right, top + GAP, middle - GAP, h),
        "e": vertical(left, middle + GAP, bottom - GAP, h),
        "c": vertical(right, middle + GAP, bottom - GAP, h),
    }


def digit(ch):
    picture = Picture(DIGIT_W, DIGIT_H)
    for name, shape in segment_shapes(DIGIT_W, DIGIT_H).items():
        picture.fill(shape, LIT if name in SEGMENTS[ch] else UNLIT)
    return picture


def colon():
    picture = Picture(10, 35)
    for cy in (11.5, 23.5):
        picture.fill(lambda x, y, cy=cy: (x - 5) ** 2 + (y - cy) ** 2 <= 2.7 ** 2, LIT)
    return picture


def word(text):
    cell_w, cell_h, spacing = 4, 3, 3
    picture = Picture(43, 22)
    for index, letter in enumerate(text):
        left = index * (5 * cell_w + spacing)
        for row, bits in enumerate(LETTERS[letter]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    x0, y0 = left + col * cell_w, 1 + row * cell_h
                    picture.fill(lambda x, y, x0=x0, y0=y0: x0 <= x < x0 + cell_w and y0 <= y < y0 + cell_h,
                                 LIT, samples=1)
    return picture


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: makedigits.py FOLDER")
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    pictures = {f"Hour_{d}.bmp": digit(d) for d in "0123456789"}
    pictures["Colon_ON.bmp"] = colon()
    pictures["AM.bmp"] = word("AM")
    pictures["PM.bmp"] = word("PM")
    for name, picture in pictures.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(picture.bmp())


if __name__ == "__main__":
    main(sys.argv)
