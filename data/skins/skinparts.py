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


# ---------------------------------------------------------------------------------------------
# The controls' strips, the same in both themes but for their palettes

def sunk_edge(borders, dimmed_border, dimmed_inside, top_line=None):
    """The combo box's sunken edge, a 12 x 21 box a state. borders: the four states' lines;
    the state whose line is dimmed_border is filled with dimmed_inside, the others white.
    top_line: a function of the inside colour giving a line under the top edge, or None."""
    states = []
    for border in borders:
        inside = dimmed_inside if border == dimmed_border else (255, 255, 255)
        img = Image(12, 21, inside)
        img.fill(0, 0, 12, 1, border)
        img.fill(0, 20, 12, 21, border)
        img.fill(0, 0, 1, 21, border)
        img.fill(11, 0, 12, 21, border)
        if top_line:
            img.hline(1, 11, 1, top_line(inside))
        states.append(img)
    return strip(states)


def combo_button(faces, r):
    """The combo box's button, four states of (border, top, bottom) on white."""
    return strip([face(17, 21, r, b, t, bo, (255, 255, 255), box=(1, 1, 16, 20)) for b, t, bo in faces])


def scroll_pictures(bar, track, thumb):
    """The scroll-bar pictures from the arrow strip and the makers of a track and a thumb
    strip (given whether vertical)."""
    return {
        "scrollbar": bar, "horzscroll": track(False), "vertscroll": track(True),
        "horzthumb": thumb(False), "vertthumb": thumb(True),
    }


def trackbar_parts(channel, border, top, bottom, backdrop):
    """The track bar: its channel both ways, and pointer thumbs of five equal states."""
    thumb_horz = thumb(11, 21, border, top, bottom, backdrop)
    thumb_vert = thumb(21, 11, border, top, bottom, backdrop, vertical=True)
    return {
        "track": channel, "trackvert": channel.transposed(),
        "thumbhorz": strip([thumb_horz] * 5), "thumbvert": strip([thumb_vert] * 5),
    }


def up_down(faces, inks, r, backdrop):
    """The up-down buttons: for each direction four states of face (border, top, bottom) and
    a glyph strip of small arrows in the states' inks."""
    def strips(w, h, first, second):
        buttons, glyphs = [], []
        for direction in (first, second):
            for (border, top, bottom), ink in zip(faces, inks):
                buttons.append(face(w, h, r, border, top, bottom, backdrop))
                g = Image(7, 4) if direction in ("up", "down") else Image(4, 7)
                arrow(g, g.w / 2, g.h / 2, 3.5, direction, ink)
                glyphs.append(g)
        return strip(buttons), strip(glyphs)

    vert, vert_glyph = strips(16, 11, "up", "down")
    horz, horz_glyph = strips(11, 16, "left", "right")
    return {"updownvert": vert, "updownvertglyph": vert_glyph, "updownhorz": horz, "updownhorzglyph": horz_glyph}


def menus(menu, top_left, bottom_right, separator_lines, selected):
    """The popup menu's back (a 24 x 24 box, its top and left lines in top_left, bottom and
    right in bottom_right) and item strip: normal, separator (lines of (x0, x1, y, colour)),
    normal, selected twice."""
    back = Image(24, 24, menu)
    back.fill(0, 0, 24, 1, top_left)
    back.fill(0, 23, 24, 24, bottom_right)
    back.fill(0, 0, 1, 24, top_left)
    back.fill(23, 0, 24, 24, bottom_right)
    normal = Image(24, 20)
    separator = Image(24, 20)
    for x0, x1, y, colour in separator_lines:
        separator.hline(x0, x1, y, colour)
    return {"menuback": back, "menuitem": strip([normal, separator, normal, selected, selected])}


def header_bar(gradients, line, divider, divider_rows):
    """The header: normal and hot sections (top, bottom) with a bottom line and a divider at
    the right over divider_rows (y0, y1); the normal one again for the last three frames."""
    frames = []
    for top, bottom in gradients:
        img = Image(40, 20)
        img.vgradient(0, 0, 40, 20, top, bottom)
        img.hline(0, 40, 19, line)
        img.vline(39, divider_rows[0], divider_rows[1], divider)
        frames.append(img)
    return strip(frames + [frames[0]] * 3)


def theme_pictures(frame, active, inactive, named, *groups):
    """Every picture of a theme: the frame's borders, the named pictures and the groups of
    pictures (dictionaries) that parts make together."""
    out = frame.borders(active, inactive)
    out.update(named)
    for group in groups:
        out.update(group)
    return out


def menu_bar(gradients, line):
    """The menu bar, active and inactive stacked: each a gradient (top, bottom) over a line."""
    states = []
    for top, bottom in gradients:
        img = Image(40, 20)
        img.vgradient(0, 0, 40, 19, top, bottom)
        img.hline(0, 40, 19, line)
        states.append(img)
    return vstack(states)
