"""The pictures both theme skins are made of, each drawn from a palette of its own: the window
frame cut into its four borders, faces of buttons and boxes, glyphs, and the strips of states
the skin description names."""

import math

from skinpaint import (Image, hstack, lerp, paint, round_rect, rounded_box, circle, outline, segment, polyline,
                       polygon, union, vstack)


def gradient(top, bottom, y0, y1):
    span = max(1, y1 - y0 - 1)
    return lambda x, y: lerp(top, bottom, min(1.0, max(0.0, (y - y0) / span)))


def hgradient(left, right, x0, x1):
    span = max(1, x1 - x0 - 1)
    return lambda x, y: lerp(left, right, min(1.0, max(0.0, (x - x0) / span)))


# ---------------------------------------------------------------------------------------------
# Window frame

class Frame:
    """A window frame drawn whole, then cut into the four border pictures: the left and right
    borders run the full height (the caption's ends included), the top border is the caption
    between them, the bottom border the strip under the client area."""

    def __init__(self, caption, border, bottom, rtop, rbottom, width=100, middle=24):
        self.caption, self.border, self.bottom = caption, border, bottom
        self.rtop, self.rbottom = rtop, rbottom
        self.w, self.h = width, caption + middle + bottom

    def render(self, p):
        """p: outline, caption_top, caption_bottom, fill (border), and optionally highlight
        (row under the top edge), caption_line (last caption row), inner (line around the
        client area)."""
        w, h, ch = self.w, self.h, self.caption
        img = Image(w, h)
        paint(img, rounded_box(0, 0, w, h, self.rtop, self.rbottom), p["outline"])
        caption = gradient(p["caption_top"], p["caption_bottom"], 1, ch)

        def body(x, y):
            return caption(x, y) if y < ch else p["fill"]
        paint(img, rounded_box(1, 1, w - 1, h - 1, max(0, self.rtop - 1), max(0, self.rbottom - 1)), body)
        if "highlight" in p:
            edge = rounded_box(1, 1, w - 1, h - 1, max(0, self.rtop - 1), 0)
            paint(img, lambda x, y: 1 <= y < 2 and edge(x, y), p["highlight"])
        if "caption_line" in p:
            img.hline(1, w - 1, ch - 1, p["caption_line"])
        if "inner" in p:
            b, bb = self.border, self.bottom
            img.vline(b - 1, ch, h - bb + 1, p["inner"])
            img.vline(w - b, ch, h - bb + 1, p["inner"])
            img.hline(b - 1, w - b + 1, h - bb, p["inner"])
        return img

    def borders(self, active, inactive):
        """left, right (states side by side), top, bottom (states stacked): active first."""
        w, h, b, bb, ch = self.w, self.h, self.border, self.bottom, self.caption
        states = [self.render(active), self.render(inactive)]
        return {
            "left": hstack([s.crop(0, 0, b, h) for s in states]),
            "right": hstack([s.crop(w - b, 0, w, h) for s in states]),
            "top": vstack([s.crop(b, 0, w - b, ch) for s in states]),
            "bottom": vstack([s.crop(b, h - bb, w - b, h) for s in states]),
        }

    def caption_colour(self, p, y):
        return gradient(p["caption_top"], p["caption_bottom"], 1, self.caption)(0, y)


# ---------------------------------------------------------------------------------------------
# Faces and glyphs

def face(w, h, r, border, top, bottom, backdrop=None, ring=None, shine=None, box=None):
    """A rounded face with a one-pixel border and a vertical gradient; ring: a second line
    inside the border (focus); shine: a light first row. box: (x0, y0, x1, y1) within the
    picture, the rest stays transparent."""
    img = Image(w, h)
    x0, y0, x1, y1 = box if box else (0, 0, w, h)
    paint(img, round_rect(x0, y0, x1, y1, r), border, backdrop=backdrop)
    inner = round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0, r - 1))
    paint(img, inner, gradient(top, bottom, y0 + 1, y1 - 1))
    if ring:
        paint(img, outline(inner, round_rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, max(0, r - 2))), ring)
    if shine:
        paint(img, lambda x, y: y0 + 1 <= y < y0 + 2 and inner(x, y), shine)
    return img


def arrow(img, cx, cy, size, direction, colour):
    """A filled triangle pointing up, down, left or right, size pixels from base to tip."""
    s, half = size, size / 2
    points = {
        "down": [(cx - s, cy - half), (cx + s, cy - half), (cx, cy + half)],
        "up": [(cx - s, cy + half), (cx + s, cy + half), (cx, cy - half)],
        "right": [(cx - half, cy - s), (cx - half, cy + s), (cx + half, cy)],
        "left": [(cx + half, cy - s), (cx + half, cy + s), (cx - half, cy)],
    }[direction]
    paint(img, polygon(points), colour)


def check_mark(img, x, y, scale, colour, width):
    paint(img, polyline([(x, y + 2.6 * scale), (x + 2.4 * scale, y + 5 * scale), (x + 6.6 * scale, y)], width),
          colour)


def cross(x0, y0, x1, y1, width):
    return union(segment(x0, y0, x1, y1, width), segment(x0, y1, x1, y0, width))


def box_outline(x0, y0, x1, y1, width, top):
    """A window symbol: a rectangle outline with a thicker top edge."""
    return union(
        lambda x, y: x0 <= x <= x1 and y0 <= y <= y0 + top,
        lambda x, y: x0 <= x <= x1 and y1 - width <= y <= y1,
        lambda x, y: x0 <= x <= x0 + width and y0 <= y <= y1,
        lambda x, y: x1 - width <= x <= x1 and y0 <= y <= y1)


def question(cx, top, size, width):
    """A question mark: a hook of an arc and a stem, and a dot."""
    r = size * 0.3
    ox, oy = cx, top + r + width / 2
    arc = [(ox + r * math.cos(a), oy - r * math.sin(a))
           for a in [math.pi * (1 - i / 8) for i in range(0, 11)]]
    stem_end = (cx, top + size * 0.66)
    hook = polyline(arc + [stem_end], width)
    dot = circle(cx, top + size * 0.9, width * 0.65)
    return union(hook, dot)


def pointer_thumb(w, h, vertical=False):
    """Outline of a slider thumb pointing down (or right)."""
    if vertical:
        return polygon([(0.5, 0.5), (w - h / 2, 0.5), (w - 0.5, h / 2), (w - h / 2, h - 0.5), (0.5, h - 0.5)])
    return polygon([(0.5, 0.5), (w - 0.5, 0.5), (w - 0.5, h - w / 2), (w / 2, h - 0.5), (0.5, h - w / 2)])


def inset_polygon_thumb(w, h, vertical):
    if vertical:
        return polygon([(1.5, 1.5), (w - h / 2 - 0.4, 1.5), (w - 1.9, h / 2), (w - h / 2 - 0.4, h - 1.5),
                        (1.5, h - 1.5)])
    return polygon([(1.5, 1.5), (w - 1.5, 1.5), (w - 1.5, h - w / 2 - 0.4), (w / 2, h - 1.9),
                    (1.5, h - w / 2 - 0.4)])


def thumb(w, h, border, top, bottom, backdrop, vertical=False):
    img = Image(w, h)
    paint(img, pointer_thumb(w, h, vertical), border, backdrop=backdrop)
    fill = hgradient(top, bottom, 1, w - 1) if vertical else gradient(top, bottom, 1, h - 1)
    paint(img, inset_polygon_thumb(w, h, vertical), fill)
    return img


def blank(w, h):
    return Image(w, h)


def strip(images):
    return hstack(images)


# ---------------------------------------------------------------------------------------------
# Parts made the same way in both skins, from a palette

def scrollbar_strip(size, arrow_faces, arrow_colours, grip_colours):
    """The 23 states of the scroll-bar strip: four arrows (normal, pressed, disabled, hot each)
    and the two thumb grips (normal, pressed, hot). arrow_faces: state -> function making a
    size x size face; arrow_colours: state -> glyph colour; grip_colours: state -> (light,
    dark), or None for thumbs without ridges."""
    frames = []
    c = size / 2
    for direction in ("left", "right", "up", "down"):
        for state in ("normal", "pressed", "disabled", "hot"):
            img = arrow_faces[state](size)
            dx = 0.5 if state == "pressed" else 0
            arrow(img, c + dx, c + dx, size * 0.2, direction, arrow_colours[state])
            frames.append(img)
    for vertical in (False, True):
        for state in ("normal", "pressed", "hot"):
            frames.append(grip(size, vertical, *grip_colours[state]) if grip_colours else blank(size, size))
    frames.append(blank(size, size))
    return strip(frames)


def grip(size, vertical, light, dark):
    """Three short ridges across the thumb's middle, on transparent ground."""
    img = Image(size, size)
    mid = size // 2
    for i in (-3, 0, 3):
        if vertical:
            img.hline(mid - 3, mid + 3, mid + i - 1, light)
            img.hline(mid - 3, mid + 3, mid + i, dark)
        else:
            img.vline(mid + i - 1, mid - 3, mid + 3, light)
            img.vline(mid + i, mid - 3, mid + 3, dark)
    return img


def size_grip(size, light, dark):
    """The status bar's size grip: a triangle of dots in the bottom-right corner."""
    img = Image(size, size)
    for i in range(3):
        for j in range(3 - i):
            x, y = size - 3 - 4 * i, size - 3 - 4 * j
            img.fill(x, y, x + 2, y + 2, light)
            img.fill(x, y, x + 1, y + 1, dark)
    return img


def edge_states(w, h, face_colour, shadow, light):
    """Status-bar panel edges: lowered, raised, none."""
    out = []
    for first, second in ((shadow, light), (light, shadow), (None, None)):
        img = Image(w, h, face_colour)
        if first:
            img.hline(0, w, 0, first)
            img.vline(0, 0, h, first)
            img.hline(0, w, h - 1, second)
            img.vline(w - 1, 0, h, second)
        out.append(img)
    return strip(out)


def track(w, h, border, inside_top, inside_bottom, backdrop, vertical=False):
    """A track-bar channel. It is copied opaque, so its corners show the backdrop."""
    img = Image(w, h, backdrop)
    paint(img, round_rect(0, 0, w, h, 2), border)
    fill = hgradient(inside_top, inside_bottom, 1, w - 1) if vertical else gradient(inside_top, inside_bottom, 1, h - 1)
    paint(img, round_rect(1, 1, w - 1, h - 1, 1), fill)
    return img
