"""The media-player glyphs: 27 pictures named KIND_BUTTON, KIND "en" (enabled, black), "di"
(disabled, embossed grey) and "cl" (coloured), for the nine player buttons. Olive (128, 128, 0)
is the background the skinned player panel replaces with its face colour."""

import skinpaint

OLIVE = (128, 128, 0)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
PALETTE = [OLIVE, BLACK, GREY, WHITE, (0, 160, 0), (200, 0, 0), (0, 0, 200), (160, 96, 0)]

W, H = 16, 11

BUTTONS = ["mpplay", "mppause", "mpstop", "mpnext", "mpprev", "mpstep", "mpback", "mprecord", "mpeject"]
COLOURS = {
    "mpplay": (0, 160, 0),
    "mppause": (160, 96, 0),
    "mpstop": (200, 0, 0),
    "mpnext": (0, 0, 200),
    "mpprev": (0, 0, 200),
    "mpstep": (0, 0, 200),
    "mpback": (0, 0, 200),
    "mprecord": (200, 0, 0),
    "mpeject": (0, 160, 0),
}


def triangle_right(x0, y0, size):
    """A triangle pointing right, `size` columns wide, 2 * size - 1 rows high."""
    cells = []
    for i in range(size):
        for y in range(y0 + i, y0 + 2 * size - 1 - i):
            cells.append((x0 + i, y))
    return cells


def mirrored(cells):
    return [(W - 1 - x, y) for x, y in cells]


def bar(x0, y0, x1, y1):
    return [(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def shape(button):
    """The pixels of a button's symbol."""
    if button == "mpplay":
        return triangle_right(5, 0, 6)
    if button == "mppause":
        return bar(4, 1, 7, 10) + bar(9, 1, 12, 10)
    if button == "mpstop":
        return bar(4, 1, 13, 10)
    if button == "mpnext":
        return triangle_right(3, 0, 6) + bar(10, 0, 12, 11)
    if button == "mpprev":
        return mirrored(triangle_right(3, 0, 6) + bar(10, 0, 12, 11))
    if button == "mpstep":
        return triangle_right(2, 1, 5) + triangle_right(8, 1, 5)
    if button == "mpback":
        return mirrored(triangle_right(2, 1, 5) + triangle_right(8, 1, 5))
    if button == "mprecord":
        return [(x, y) for y in range(H) for x in range(W) if (x - 7.5) ** 2 + (y - 5) ** 2 <= 20]
    if button == "mpeject":
        cells = [(x, y) for y in range(6) for x in range(8 - y - 1, 8 + y + 1) if 0 <= x < W]
        return cells + bar(2, 8, 14, 10)
    raise ValueError(button)


def glyph(button, kind):
    img = skinpaint.Image(W, H, OLIVE)
    cells = shape(button)
    if kind == "di":
        for x, y in cells:
            img.set(x + 1, y + 1, WHITE)
        for x, y in cells:
            img.set(x, y, GREY)
        return img
    colour = COLOURS[button] if kind == "cl" else BLACK
    for x, y in cells:
        img.set(x, y, colour)
    return img


def pictures():
    return {kind + "_" + button: glyph(button, kind) for kind in ("en", "di", "cl") for button in BUTTONS}


def resource_names():
    """The resource names in the order the panel loads them: per button EN, DI, CL."""
    return [(kind + "_" + button).upper() for button in BUTTONS for kind in ("en", "di", "cl")]
