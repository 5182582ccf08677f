"""Pixel pictures for the theme skins: an RGB image, shapes drawn with smooth edges, and
BMP files (24-bit, and 4-bit with a 16-colour palette). Standard library only.

Magenta (255, 0, 255) is the transparent colour of every skin picture. A shape drawn over
magenta gets a hard edge (a pixel at least half covered takes the shape's colour), or, when a
backdrop colour is given, an edge blended against that backdrop: the colour the engine will
put behind the picture."""

import struct

KEY = (255, 0, 255)
SAMPLES = 4  # per axis: 16 samples a pixel for edge coverage


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


class Image:
    def __init__(self, w, h, fill=KEY):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def crop(self, x0, y0, x1, y1):
        out = Image(x1 - x0, y1 - y0)
        for y in range(y0, y1):
            out.px[(y - y0) * out.w:(y - y0 + 1) * out.w] = self.px[y * self.w + x0:y * self.w + x1]
        return out

    def paste(self, other, x, y):
        for yy in range(other.h):
            for xx in range(other.w):
                self.set(x + xx, y + yy, other.px[yy * other.w + xx])

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y * self.w + x] = c

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, lerp(top, bottom, (y - y0) / n))

    def hgradient(self, x0, y0, x1, y1, left, right):
        n = max(1, x1 - x0 - 1)
        for x in range(x0, x1):
            self.fill(x, y0, x + 1, y1, lerp(left, right, (x - x0) / n))

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x + 1, y1, c)

    def transposed(self):
        out = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                out.set(y, x, self.get(x, y))
        return out


def hstack(images):
    out = Image(sum(i.w for i in images), max(i.h for i in images))
    x = 0
    for i in images:
        out.paste(i, x, 0)
        x += i.w
    return out


def vstack(images):
    out = Image(max(i.w for i in images), sum(i.h for i in images))
    y = 0
    for i in images:
        out.paste(i, 0, y)
        y += i.h
    return out


# ---------------------------------------------------------------------------------------------
# Shapes: a shape is a test inside(x, y) on real coordinates (pixel (i, j) covers i..i+1).

def coverage(inside, x, y):
    hit = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                hit += 1
    return hit / (SAMPLES * SAMPLES)


def paint(img, inside, colour, box=None, backdrop=None):
    """Fills the shape with a colour (or colour(x, y)) blended by coverage. Over magenta the
    edge is hard, or blended against the backdrop colour when one is given."""
    x0, y0, x1, y1 = box if box else (0, 0, img.w, img.h)
    for y in range(max(0, y0), min(img.h, y1)):
        for x in range(max(0, x0), min(img.w, x1)):
            c = coverage(inside, x, y)
            if c <= 0:
                continue
            want = colour(x, y) if callable(colour) else colour
            old = img.get(x, y)
            if old == KEY:
                if backdrop is not None:
                    behind = backdrop(x, y) if callable(backdrop) else backdrop
                    img.set(x, y, lerp(behind, want, c))
                elif c >= 0.5:
                    img.set(x, y, want)
            else:
                img.set(x, y, lerp(old, want, c))


def round_rect(x0, y0, x1, y1, r):
    """Inside test of a rectangle with corners rounded by r."""
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rounded_box(x0, y0, x1, y1, rtop, rbottom):
    """A rectangle with its top corners rounded by rtop and its bottom corners by rbottom."""
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        r = rtop if y < (y0 + y1) / 2 else rbottom
        if r <= 0:
            return True
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def outline(inside_outer, inside_inner):
    return lambda x, y: inside_outer(x, y) and not inside_inner(x, y)


def segment(ax, ay, bx, by, width):
    """A stroke of the given width from (ax, ay) to (bx, by), round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9
    half2 = (width / 2) ** 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2
    return inside


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# ---------------------------------------------------------------------------------------------
# BMP files

def _rows_bottom_up(img):
    for y in range(img.h - 1, -1, -1):
        yield img.px[y * img.w:(y + 1) * img.w]


def bmp24(img):
    stride = (img.w * 3 + 3) & ~3
    pixels = bytearray()
    for row in _rows_bottom_up(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    return _bmp_file(img.w, img.h, 24, b"", pixels)


def bmp4(img, palette):
    """A 16-colour BMP; every pixel must be one of the palette's colours."""
    if len(palette) > 16:
        raise ValueError("a 4-bit picture has at most 16 colours")
    index = {c: i for i, c in enumerate(palette)}
    stride = ((img.w + 1) // 2 + 3) & ~3
    pixels = bytearray()
    for row in _rows_bottom_up(img):
        line = bytearray()
        for x in range(0, img.w, 2):
            hi = index[row[x]]
            lo = index[row[x + 1]] if x + 1 < img.w else 0
            line.append((hi << 4) | lo)
        line += bytes(stride - len(line))
        pixels += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (16 - len(palette)))
    return _bmp_file(img.w, img.h, 4, table, pixels)


def _bmp_file(w, h, bits, table, pixels):
    offset = 14 + 40 + len(table)
    colours = 16 if bits == 4 else 0
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, colours, colours)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + table + bytes(pixels)

