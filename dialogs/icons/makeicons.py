#!/usr/bin/env python3
"""Draws the dialog library's seven 32 x 32 icons and stores them in the form files.

Each icon is built from a few anti-aliased shapes (circles, strokes, rounded polygons), rendered
with 5 x 5 samples a pixel into 32-bit colour with alpha, and written as a one-image .ico file.
The form files hold them as picture data of their Image1 (a length byte, the graphic class name
"TIcon", then the .ico file), in hex:

    python3 dialogs/icons/makeicons.py            rewrites the Picture.Data blocks in dialogs/*.form
    python3 dialogs/icons/makeicons.py --png DIR  also writes an enlarged PNG of each icon to look at

Standard library only.
"""
import math
import os
import re
import struct
import sys
import zlib

SIZE = 32
SAMPLES = 5  # per axis

# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool in pixel coordinates (0..32, y down).


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def _seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / l2))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def stroke(points, r):
    """A line through the points with round ends, r half its width."""
    segs = list(zip(points, points[1:]))
    return lambda x, y: any(_seg_dist(x, y, a[0], a[1], b[0], b[1]) <= r for a, b in segs)


def _inside_poly(x, y, poly):
    inside = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def polygon(poly, round_by=0.0):
    """A polygon grown by round_by (round corners)."""
    edges = list(zip(poly, poly[1:] + poly[:1]))

    def f(x, y):
        if _inside_poly(x, y, poly):
            return True
        return round_by > 0 and min(_seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in edges) <= round_by
    return f


def box(x0, y0, x1, y1, r=0.0):
    return polygon([(x0 + r, y0 + r), (x1 - r, y0 + r), (x1 - r, y1 - r), (x0 + r, y1 - r)], r)


def arc(cx, cy, radius, half_width, start_deg, end_deg):
    """A round-capped stroke along a circle, clockwise on screen from start to end (degrees, y down)."""
    sx = cx + radius * math.cos(math.radians(start_deg))
    sy = cy + radius * math.sin(math.radians(start_deg))
    ex = cx + radius * math.cos(math.radians(end_deg))
    ey = cy + radius * math.sin(math.radians(end_deg))

    def f(x, y):
        if abs(math.hypot(x - cx, y - cy) - radius) <= half_width:
            a = math.degrees(math.atan2(y - cy, x - cx))
            while a < start_deg:
                a += 360.0
            if a <= end_deg:
                return True
        return math.hypot(x - sx, y - sy) <= half_width or math.hypot(x - ex, y - ey) <= half_width
    return f


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersect(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def rotated(shape, cx, cy, deg):
    """The shape drawn in local coordinates around (0, 0), turned by deg and placed at (cx, cy)."""
    c, s = math.cos(math.radians(-deg)), math.sin(math.radians(-deg))
    return lambda x, y: shape((x - cx) * c - (y - cy) * s, (x - cx) * s + (y - cy) * c)


# ---------------------------------------------------------------- colours
# A paint is a function (x, y) -> (r, g, b, a) with components 0..1.


def rgb(hexcode, alpha=1.0):
    v = int(hexcode, 16)
    col = ((v >> 16) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0, alpha)
    return lambda x, y: col


def vgrad(top_hex, bottom_hex, y0, y1, alpha=1.0):
    a, b = int(top_hex, 16), int(bottom_hex, 16)
    ca = [(a >> 16) & 255, (a >> 8) & 255, a & 255]
    cb = [(b >> 16) & 255, (b >> 8) & 255, b & 255]

    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple((ca[i] + (cb[i] - ca[i]) * t) / 255.0 for i in range(3)) + (alpha,)
    return f


SHADOW = rgb("000000", 0.22)
WHITE = rgb("FFFFFF")

# ---------------------------------------------------------------- rendering


def render(layers):
    """Composites (shape, paint) layers back to front; returns rows of (r, g, b, a) bytes."""
    rows = []
    n = SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(n):
                for sx in range(n):
                    x = px + (sx + 0.5) / n
                    y = py + (sy + 0.5) / n
                    r = g = b = a = 0.0
                    for shape, paint in layers:
                        if shape(x, y):
                            cr, cg, cb, ca = paint(x, y)
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            k = float(n * n)
            a = acc[3] / k
            if a <= 0.0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(min(1.0, c / k / a) * 255)) for c in acc[:3]) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def outlined(shape_outer, shape_inner, edge, fill):
    """An outline colour under a fill: the outer shape in `edge`, the inner one in `fill`."""
    return [(shape_outer, edge), (shape_inner, fill)]


# ---------------------------------------------------------------- the seven icons


def warning():
    tri = [(16.0, 5.2), (4.3, 26.6), (27.7, 26.6)]
    outer = polygon(tri, 2.6)
    inner = polygon(tri, 1.6)
    return [(moved(outer, 0.8, 1.2), SHADOW)] + outlined(outer, inner, rgb("A86A00"), vgrad("FFE372", "F2A600", 3, 29)) + [
        (stroke([(16, 11.5), (16, 19.0)], 1.9), rgb("33270A")),
        (circle(16, 23.6, 1.95), rgb("33270A")),
    ]


def information():
    disc = circle(16, 16, 14.2)
    return [(moved(disc, 0.8, 1.2), SHADOW)] + outlined(disc, circle(16, 16, 13.2), rgb("174A96"),
                                                         vgrad("66B2F5", "1C5FC2", 2, 30)) + [
        (intersect(ellipse(16, 9.5, 10.5, 6.2), circle(16, 16, 13.2)), rgb("FFFFFF", 0.22)),
        (circle(16, 9.2, 2.3), WHITE),
        (union(stroke([(16, 14.2), (16, 23.2)], 2.0), box(12.6, 22.2, 19.4, 25.0, 1.0), box(13.2, 12.6, 17.4, 15.6, 0.8)), WHITE),
    ]


def stop():
    def octagon(r):
        return polygon([(16 + r * math.cos(math.radians(22.5 + 45 * i)), 16 + r * math.sin(math.radians(22.5 + 45 * i)))
                        for i in range(8)], 1.2)
    outer, inner = octagon(13.6), octagon(12.6)
    ring = minus(octagon(10.9), octagon(9.8))
    return [(moved(outer, 0.8, 1.2), SHADOW)] + outlined(outer, inner, rgb("6E0909"), vgrad("F2605A", "B01212", 2, 30)) + [
        (ring, rgb("FFFFFF", 0.55)),
        (stroke([(11.6, 11.6), (20.4, 20.4)], 2.1), WHITE),
        (stroke([(20.4, 11.6), (11.6, 20.4)], 2.1), WHITE),
    ]


def question():
    disc = circle(16, 16, 14.2)
    mark = union(arc(16, 12.0, 4.4, 1.95, 165, 400),
                 stroke([(16 + 4.4 * math.cos(math.radians(40)), 12.0 + 4.4 * math.sin(math.radians(40))), (16, 17.6), (16, 19.2)], 1.95))
    return [(moved(disc, 0.8, 1.2), SHADOW)] + outlined(disc, circle(16, 16, 13.2), rgb("3B2C9A"),
                                                         vgrad("9C8FF5", "4A38C2", 2, 30)) + [
        (intersect(ellipse(16, 9.5, 10.5, 6.2), circle(16, 16, 13.2)), rgb("FFFFFF", 0.22)),
        (mark, WHITE),
        (circle(16, 24.0, 2.0), WHITE),
    ]


def tip():
    glass_outer = union(circle(16, 12.2, 9.4), polygon([(11.0, 16.5), (21.0, 16.5), (19.6, 22.4), (12.4, 22.4)], 0.8))
    glass_inner = union(circle(16, 12.2, 8.4), polygon([(11.9, 16.5), (20.1, 16.5), (18.8, 21.6), (13.2, 21.6)], 0.6))
    base = box(12.2, 21.6, 19.8, 27.6, 1.4)
    rays = union(*[stroke([(16 + 11.8 * math.cos(math.radians(a)), 12.2 + 11.8 * math.sin(math.radians(a))),
                           (16 + 14.2 * math.cos(math.radians(a)), 12.2 + 14.2 * math.sin(math.radians(a)))], 0.85)
                   for a in (-90, -135, -45, 180, 0)])
    return [(moved(union(glass_outer, base), 0.8, 1.2), SHADOW), (rays, rgb("F2B100"))] + \
        outlined(glass_outer, glass_inner, rgb("A27800"), vgrad("FFF7A8", "FFC21A", 3, 22)) + [
        (stroke([(13.8, 17.8), (14.8, 14.4), (16.0, 17.0), (17.2, 14.4), (18.2, 17.8)], 0.65), rgb("D96C00")),
        (ellipse(12.6, 9.0, 2.0, 3.0), rgb("FFFFFF", 0.7)),
    ] + outlined(base, box(13.2, 22.4, 18.8, 26.8, 1.0), rgb("4A4A4A"), vgrad("D8D8D8", "8A8A8A", 22, 27)) + [
        (box(12.8, 23.6, 19.2, 24.4), rgb("5A5A5A")),
        (box(12.8, 25.4, 19.2, 26.2), rgb("5A5A5A")),
        (circle(16, 28.2, 1.6), rgb("3A3A3A")),
    ]


def selection():
    card = box(3.0, 3.5, 29.0, 28.5, 2.2)
    layers = [(moved(card, 0.8, 1.2), SHADOW)] + outlined(card, box(4.0, 4.5, 28.0, 27.5, 1.4), rgb("5E6C7A"),
                                                           vgrad("FFFFFF", "E4EAF0", 4, 28))
    layers.append((box(5.2, 12.6, 26.8, 19.4, 1.2), vgrad("5A95F0", "2A66CC", 12.6, 19.4)))
    for y, on in ((9.0, False), (16.0, True), (23.0, False)):
        ink = WHITE if on else rgb("7D8A98")
        layers.append((circle(9.0, y, 1.8), ink))
        layers.append((stroke([(12.6, y), (24.4 if y != 23.0 else 20.0, y)], 1.15), ink))
    return layers


def input_():
    field = box(2.5, 14.0, 25.5, 27.0, 1.6)
    layers = [(moved(field, 0.8, 1.2), SHADOW)] + outlined(field, box(3.5, 15.0, 24.5, 26.0, 1.0), rgb("56687A"),
                                                            vgrad("F4F7FA", "FFFFFF", 15, 26))
    layers += [
        (box(6.0, 18.4, 10.0, 22.6, 0.6), rgb("9AA6B2")),
        (box(11.0, 18.4, 13.6, 22.6, 0.6), rgb("9AA6B2")),
        (box(15.2, 17.4, 16.2, 23.6), rgb("1E2A36")),
    ]

    # The pencil, drawn along +u with its point at negative u, then turned to point down-left.
    def pencil(shape):
        return rotated(shape, 20.6, 12.4, -45)
    body = box(-5.5, -2.6, 7.0, 2.6)
    point = polygon([(-5.5, -2.6), (-5.5, 2.6), (-10.6, 0.0)])
    lead = polygon([(-8.9, -0.87), (-8.9, 0.87), (-10.6, 0.0)])
    whole = union(body, point, box(7.0, -2.6, 10.5, 2.6, 1.0))
    layers += [
        (moved(pencil(whole), 0.8, 1.2), SHADOW),
        (pencil(union(body, polygon([(-5.5, -3.3), (-5.5, 3.3), (-11.6, 0.0)], 0.4), box(6.0, -3.3, 11.3, 3.3, 1.4))), rgb("5A4A2A")),
        (pencil(box(-5.5, -2.6, 7.0, 0.0)), rgb("FFD54A")),
        (pencil(box(-5.5, 0.0, 7.0, 2.6)), rgb("EBA81C")),
        (pencil(point), rgb("F0D2A0")),
        (pencil(lead), rgb("2E2E2E")),
        (pencil(box(7.0, -2.6, 8.6, 2.6)), rgb("B8BEC6")),
        (pencil(box(8.6, -2.6, 10.5, 2.6, 1.0)), rgb("F08C8C")),
    ]
    return layers


ICONS = {
    "warning": warning,
    "information": information,
    "stop": stop,
    "question": question,
    "tip": tip,
    "selection": selection,
    "input": input_,
}

# Which form shows which icon.
FORMS = {
    "ui_warn.form": "warning",
    "ui_info.form": "information",
    "ui_stop.form": "stop",
    "ui_askyesno.form": "question",
    "ui_tips.form": "tip",
    "ui_select.form": "selection",
    "uinput.form": "input",
}

# ---------------------------------------------------------------- files


def ico_bytes(rows):
    """A one-image .ico: 32-bit colour with alpha, and the AND mask the format still wants."""
    xor = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + image


def picture_data(ico):
    name = b"TIcon"
    return bytes((len(name),)) + name + ico


def hex_block(data, indent):
    text = data.hex().upper()
    return "\n".join(indent + text[i:i + 64] for i in range(0, len(text), 64))


def png_bytes(rows, scale):
    raw = bytearray()
    for row in rows:
        for _ in range(scale):
            raw.append(0)
            for px in row:
                raw += bytes(px) * scale
    w = h = SIZE * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# The Image1 object of a form file, up to the closing brace of its picture data.
IMAGE_BLOCK = re.compile(r"(object Image1: TImage\n(?:(?!\s*end\n).*\n)*?(\s*)Picture\.Data = \{)[0-9A-Fa-f\s]*\}")


def store_in_form(path, data):
    with open(path, encoding="latin-1", newline="") as f:
        text = f.read()
    m = IMAGE_BLOCK.search(text)
    if not m:
        raise SystemExit(f"{path}: no Picture.Data block in an Image1: TImage object")
    indent = m.group(2).lstrip("\n") + "  "
    new = text[:m.start()] + m.group(1) + "\n" + hex_block(data, indent) + "}" + text[m.end():]
    if new != text:
        with open(path, "w", encoding="latin-1", newline="") as f:
            f.write(new)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    forms_dir = os.path.dirname(here)
    png_dir = None
    if len(argv) >= 2 and argv[0] == "--png":
        png_dir = argv[1]
        os.makedirs(png_dir, exist_ok=True)
    drawn = {name: render(make()) for name, make in ICONS.items()}
    if png_dir:
        for name, rows in drawn.items():
            with open(os.path.join(png_dir, name + ".png"), "wb") as f:
                f.write(png_bytes(rows, 4))
    for form, name in FORMS.items():
        store_in_form(os.path.join(forms_dir, form), picture_data(ico_bytes(drawn[name])))


if __name__ == "__main__":
    main(sys.argv[1:])
