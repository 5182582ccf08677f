"""Theme "MacOS": a light, rounded look. A pale grey caption with the title in the middle and
round coloured caption buttons at its left (red close, amber minimise, green zoom; their
symbols show under the mouse), rounded corners, white faces and blue accents. The numbers
here match macos/macos.ini."""

from skinpaint import Image, lerp, paint, round_rect, circle, vstack
import skinparts as sp

FACE = (236, 236, 236)
TEXT = (30, 30, 30)
WHITE = (255, 255, 255)
MENU = (246, 246, 246)
BLUE = (60, 130, 246)
BLUE_DARK = (40, 104, 222)
LINE = (196, 196, 196)

CAPTION, BORDER = 24, 2
FRAME = sp.Frame(CAPTION, BORDER, BORDER, rtop=9, rbottom=6)
ACTIVE = {
    "outline": (150, 150, 150), "caption_top": (240, 240, 240), "caption_bottom": (216, 216, 216),
    "highlight": (252, 252, 252), "fill": FACE, "caption_line": (182, 182, 182),
}
INACTIVE = {
    "outline": (186, 186, 186), "caption_top": (246, 246, 246), "caption_bottom": (240, 240, 240),
    "fill": FACE, "caption_line": (214, 214, 214),
}

# Caption buttons: 16 x 16 pictures of 12-pixel circles, 4 pixels from the caption's top.
CBUTTON, CBUTTON_TOP = 16, 4
LIGHTS = {
    "close": ((255, 96, 88), (226, 70, 62), (128, 22, 16)),
    "minimize": ((255, 190, 48), (222, 160, 36), (150, 90, 4)),
    "maximize": ((42, 202, 66), (30, 172, 44), (8, 98, 18)),
    "help": ((170, 170, 176), (142, 142, 150), (70, 70, 78)),
}


def caption_button(glyph, light):
    fill, ring, ink = light
    states = []
    for state in ("normal", "pressed", "hot", "inactive"):
        palette = INACTIVE if state == "inactive" else ACTIVE
        img = Image(CBUTTON, CBUTTON)
        backdrop = lambda x, y, p=palette: FRAME.caption_colour(p, y + CBUTTON_TOP)
        c = CBUTTON / 2
        if state == "inactive":
            paint(img, circle(c, c, 6.2), (200, 200, 200), backdrop=backdrop)
            paint(img, circle(c, c, 5.4), (222, 222, 222))
        else:
            body = lerp(fill, (0, 0, 0), 0.18) if state == "pressed" else fill
            paint(img, circle(c, c, 6.2), ring, backdrop=backdrop)
            paint(img, circle(c, c, 5.4), sp.gradient(lerp(body, WHITE, 0.25), body, 2, 14))
            if state != "normal":
                paint(img, glyph(c), ink)
        states.append(img)
    return sp.strip(states)


def close_glyph(c):
    return sp.cross(c - 2.6, c - 2.6, c + 2.6, c + 2.6, 1.4)


def minimize_glyph(c):
    return lambda x, y: c - 3.2 <= x <= c + 3.2 and c - 0.7 <= y <= c + 0.7


def maximize_glyph(c):
    return sp.union(sp.polygon([(c - 3.3, c - 3.3), (c + 1.2, c - 3.3), (c - 3.3, c + 1.2)]),
                    sp.polygon([(c + 3.3, c + 3.3), (c - 1.2, c + 3.3), (c + 3.3, c - 1.2)]))


def restore_glyph(c):
    return sp.union(sp.polygon([(c - 0.4, c - 0.4), (c - 4.4, c - 0.4), (c - 0.4, c - 4.4)]),
                    sp.polygon([(c + 0.4, c + 0.4), (c + 4.4, c + 0.4), (c + 0.4, c + 4.4)]))


def help_glyph(c):
    return sp.question(c, c - 4, 8.5, 1.4)


def text_back():
    """A faint light band behind the title, fading at its ends."""
    states = []
    for p in (ACTIVE, INACTIVE):
        img = Image(40, CAPTION)
        backdrop = lambda x, y, p=p: FRAME.caption_colour(p, y)
        paint(img, round_rect(1, 5, 39, CAPTION - 5, 7), lambda x, y, b=backdrop: lerp(b(x, y), WHITE, 0.3),
              backdrop=backdrop)
        states.append(img)
    return vstack(states)


# Push buttons: normal, pressed, disabled, hot, focused (a blue ring).
def push_buttons():
    w, h, r = 28, 24, 6
    return sp.strip([
        sp.face(w, h, r, (180, 180, 180), WHITE, (244, 244, 244), FACE, box=(0, 0, w, h - 1)),
        sp.face(w, h, r, (150, 150, 150), (214, 214, 214), (226, 226, 226), FACE, box=(0, 0, w, h - 1)),
        sp.face(w, h, r, (214, 214, 214), (248, 248, 248), (244, 244, 244), FACE, box=(0, 0, w, h - 1)),
        sp.face(w, h, r, (150, 150, 150), WHITE, (250, 250, 250), FACE, box=(0, 0, w, h - 1)),
        sp.face(w, h, r, (86, 150, 248), WHITE, (244, 244, 244), FACE, ring=(150, 192, 252), box=(0, 0, w, h - 1)),
    ])


def check_boxes():
    states = []
    for checked, enabled in ((False, True), (True, True), (False, False), (True, False)):
        if checked:
            fill = BLUE if enabled else (176, 204, 248)
            img = sp.face(13, 13, 3, BLUE_DARK if enabled else (166, 196, 244), lerp(fill, WHITE, 0.2), fill, FACE)
            sp.check_mark(img, 3, 3.6, 1.0, WHITE, 1.8)
        else:
            border = (166, 166, 166) if enabled else (210, 210, 210)
            img = sp.face(13, 13, 3, border, WHITE, (246, 246, 246) if enabled else (250, 250, 250), FACE)
        states.append(img)
    return sp.strip(states)


def radio_buttons():
    states = []
    for checked, enabled in ((False, True), (True, True), (False, False), (True, False)):
        img = Image(13, 13)
        if checked:
            fill = BLUE if enabled else (176, 204, 248)
            paint(img, circle(6.5, 6.5, 6.4), BLUE_DARK if enabled else (166, 196, 244), backdrop=FACE)
            paint(img, circle(6.5, 6.5, 5.5), sp.gradient(lerp(fill, WHITE, 0.2), fill, 1, 12))
            paint(img, circle(6.5, 6.5, 2.3), WHITE)
        else:
            paint(img, circle(6.5, 6.5, 6.4), (166, 166, 166) if enabled else (210, 210, 210), backdrop=FACE)
            paint(img, circle(6.5, 6.5, 5.5), sp.gradient(WHITE, (244, 244, 244), 1, 12))
        states.append(img)
    return sp.strip(states)


def tabs():
    """Segments: the current one blue with white text."""
    w, h = 40, 22

    def segment(border, top, bottom):
        return sp.face(w, h, 5, border, top, bottom, FACE, box=(0, 1, w, h - 1))

    ordinary = segment((186, 186, 186), WHITE, (240, 240, 240))
    current = segment(BLUE_DARK, (96, 156, 250), BLUE)
    hot = segment((160, 160, 160), WHITE, (248, 248, 248))
    disabled = segment((214, 214, 214), (250, 250, 250), (244, 244, 244))
    return sp.strip([ordinary, current, hot, disabled, current])


def tab_pane():
    """Drawn opaque: the corners outside the rounded line are face, not transparent."""
    img = Image(16, 16, FACE)
    paint(img, round_rect(0, 0, 16, 16, 4), LINE)
    paint(img, round_rect(1, 1, 15, 15, 3), FACE)
    return img


def extra_images():
    frames = []
    for colour in (WHITE, (230, 238, 255), (170, 170, 170), WHITE):
        img = Image(12, 12)
        sp.arrow(img, 6, 3.8, 2.6, "up", colour)
        sp.arrow(img, 6, 8.2, 2.6, "down", colour)
        frames.append(img)
    frames.append(sp.size_grip(12, WHITE, (150, 150, 150)))
    return sp.strip(frames)


def scroll_parts():
    size = 17
    track_colour = (248, 248, 248)

    def arrow_face(top, bottom):
        def make(s):
            img = Image(s, s)
            img.vgradient(0, 0, s, s, top, bottom)
            return img
        return make
    faces = {
        "normal": arrow_face((250, 250, 250), (244, 244, 244)),
        "pressed": arrow_face((214, 214, 214), (222, 222, 222)),
        "disabled": arrow_face((250, 250, 250), (248, 248, 248)),
        "hot": arrow_face((240, 240, 240), (232, 232, 232)),
    }
    glyphs = {"normal": (120, 120, 120), "pressed": (60, 60, 60), "disabled": (210, 210, 210), "hot": (80, 80, 80)}
    bar = sp.scrollbar_strip(size, faces, glyphs, None)  # plain pill thumbs

    def track(vertical):
        frames = []
        for enabled in (True, True, False, False):
            img = Image(size, size, track_colour if enabled else (250, 250, 250))
            if vertical:
                img.vline(0, 0, size, (226, 226, 226))
            else:
                img.hline(0, size, 0, (226, 226, 226))
            frames.append(img)
        return sp.strip(frames)

    def thumb(vertical):
        frames = []
        for colour in ((194, 194, 194), (128, 128, 128), (160, 160, 160)):
            img = Image(24, size)
            paint(img, round_rect(1, 4, 23, size - 4, 4.5), colour, backdrop=track_colour)
            frames.append(img.transposed() if vertical else img)
        return sp.strip(frames)

    return sp.scroll_pictures(bar, track, thumb)


def group_box():
    edge = []
    for line in (LINE, (214, 214, 214)):
        img = Image(16, 16)
        paint(img, round_rect(0, 0, 16, 16, 5), line, backdrop=FACE)
        paint(img, round_rect(1, 1, 15, 15, 4), (230, 230, 230))
        edge.append(img)
    label = sp.face(24, 18, 6, LINE, (246, 246, 246), (236, 236, 236), FACE)
    return {"groupboxedge": sp.strip(edge), "groupbox": label}


def pictures():
    up_down_faces = (((176, 176, 176), WHITE, (242, 242, 242)), ((140, 140, 140), (214, 214, 214), (226, 226, 226)),
                     ((214, 214, 214), (250, 250, 250), (246, 246, 246)), ((140, 140, 140), WHITE, (250, 250, 250)))
    up_down_inks = ((70, 70, 70), (30, 30, 30), (190, 190, 190), (40, 40, 40))
    combo_faces = (
        (BLUE_DARK, (104, 162, 252), (48, 118, 240)), ((30, 84, 196), (40, 104, 222), (60, 130, 246)),
        ((200, 200, 200), (236, 236, 236), (226, 226, 226)), ((30, 90, 210), (124, 176, 252), (66, 136, 248)),
    )
    selected_item = sp.face(24, 20, 5, BLUE_DARK, (88, 150, 250), BLUE, MENU, box=(1, 1, 23, 19))
    return sp.theme_pictures(FRAME, ACTIVE, INACTIVE, {
        "textback": text_back(),
        "menubar": sp.menu_bar((((244, 244, 244), (230, 230, 230)), ((248, 248, 248), (240, 240, 240))),
                               (204, 204, 204)),
        "close": caption_button(close_glyph, LIGHTS["close"]),
        "minimize": caption_button(minimize_glyph, LIGHTS["minimize"]),
        "maximize": caption_button(maximize_glyph, LIGHTS["maximize"]),
        "restore": caption_button(restore_glyph, LIGHTS["maximize"]),
        "help": caption_button(help_glyph, LIGHTS["help"]),
        "button": push_buttons(),
        "check": check_boxes(),
        "radio": radio_buttons(),
        "tabs": tabs(),
        "tabpane": tab_pane(),
        "sunkedge": sp.sunk_edge(((188, 188, 188), (150, 150, 150), (214, 214, 214), (110, 164, 250)),
                                 (214, 214, 214), (250, 250, 250)),
        "combobutton": sp.combo_button(combo_faces, 4),
        "extraimages": extra_images(),
        "statusbar": sp.edge_states(12, 12, FACE, (200, 200, 200), (250, 250, 250)),
        "progress": sp.strip([
            sp.face(20, 14, 6, (196, 196, 196), (222, 222, 222), (236, 236, 236), FACE),
            sp.face(20, 14, 6, (40, 104, 222), (120, 176, 252), (52, 122, 244), FACE, shine=(170, 206, 252)),
        ]),
        "headerbar": sp.header_bar(((WHITE, (240, 240, 240)), ((250, 250, 250), (228, 228, 228))), LINE,
                                   (214, 214, 214), (4, 16)),
    }, scroll_parts(),
        sp.trackbar_parts(sp.track(16, 5, (178, 178, 178), (196, 196, 196), (214, 214, 214), FACE),
                          (150, 150, 150), WHITE, (234, 234, 234), FACE),
        sp.up_down(up_down_faces, up_down_inks, 3, FACE),
        sp.menus(MENU, (190, 190, 190), (170, 170, 170), [(3, 21, 14, (218, 218, 218))], selected_item),
        group_box())
