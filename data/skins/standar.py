"""Theme "Standar": a calm blue classic look. A blue gradient caption with softly rounded top
corners, square blue caption buttons (the close button turns red under the mouse), light
blue-grey faces with gentle gradients. The numbers here match default/default.ini."""

from skinpaint import Image, lerp, paint, round_rect, circle, vstack
import skinparts as sp

FACE = (232, 236, 242)
TEXT = (24, 36, 56)
WHITE = (255, 255, 255)
MENU = (248, 250, 253)
ACCENT = (58, 110, 180)
LINE = (140, 156, 180)

CAPTION, BORDER = 26, 4
FRAME = sp.Frame(CAPTION, BORDER, BORDER, rtop=7, rbottom=0)
ACTIVE = {
    "outline": (28, 58, 104), "caption_top": (98, 148, 212), "caption_bottom": (54, 102, 170),
    "highlight": (150, 190, 236), "fill": (62, 108, 174), "caption_line": (40, 80, 140), "inner": (36, 72, 128),
}
INACTIVE = {
    "outline": (112, 126, 150), "caption_top": (186, 198, 216), "caption_bottom": (158, 172, 194),
    "highlight": (214, 224, 238), "fill": (160, 174, 196), "caption_line": (138, 152, 176), "inner": (128, 142, 166),
}

# Caption buttons: 20 x 20 at 3 pixels from the caption's top.
CBUTTON, CBUTTON_TOP = 20, 3
CB_FACES = {
    "normal": ((34, 66, 116), (130, 172, 228), (82, 130, 196)),
    "pressed": ((30, 58, 104), (66, 106, 164), (86, 128, 188)),
    "hot": ((34, 66, 116), (160, 198, 244), (106, 154, 218)),
    "inactive": ((128, 142, 166), (200, 210, 226), (176, 188, 208)),
}
CLOSE_FACES = dict(CB_FACES, hot=((122, 38, 30), (238, 124, 104), (204, 72, 58)),
                   pressed=((110, 32, 26), (176, 58, 46), (198, 80, 64)))


def caption_button(glyph, faces):
    states = []
    for state in ("normal", "pressed", "hot", "inactive"):
        palette = INACTIVE if state == "inactive" else ACTIVE
        border, top, bottom = faces[state]
        img = sp.face(CBUTTON, CBUTTON, 4, border, top, bottom,
                      backdrop=lambda x, y, p=palette: FRAME.caption_colour(p, y + CBUTTON_TOP),
                      shine=lerp(top, WHITE, 0.35))
        ink = (240, 243, 248) if state == "inactive" else WHITE
        shade = lerp(bottom, (0, 0, 0), 0.3)
        shift = 0.6 if state == "pressed" else 0
        paint(img, glyph(shift + 0.7), shade)
        paint(img, glyph(shift), ink)
        states.append(img)
    return sp.strip(states)


def close_glyph(d):
    return sp.cross(6.5 + d, 6.5 + d, 13.5 + d, 13.5 + d, 2.2)


def maximize_glyph(d):
    return sp.box_outline(5.5 + d, 5.5 + d, 14.5 + d, 14.5 + d, 1.4, 2.6)


def restore_glyph(d):
    front = (4.5 + d, 8.5 + d, 11.5 + d, 15.5 + d)
    back = sp.box_outline(8 + d, 4.5 + d, 15.5 + d, 11.5 + d, 1.3, 2.3)

    def behind(x, y):
        return back(x, y) and not (front[0] <= x <= front[2] and front[1] <= y <= front[3])
    return sp.union(behind, sp.box_outline(*front, 1.3, 2.3))


def minimize_glyph(d):
    return lambda x, y: 6 + d <= x <= 14 + d and 12.5 + d <= y <= 15 + d


def help_glyph(d):
    return sp.question(10 + d, 4.5 + d, 11, 2.0)


def text_back():
    """A soft lighter plate behind the caption text; its ends fade out."""
    states = []
    for p in (ACTIVE, INACTIVE):
        img = Image(40, CAPTION)
        plate = round_rect(1, 4, 39, CAPTION - 4, 8)

        def colour(x, y, p=p):
            return lerp(FRAME.caption_colour(p, y), WHITE, 0.14)
        paint(img, plate, colour, backdrop=lambda x, y, p=p: FRAME.caption_colour(p, y))
        states.append(img)
    return vstack(states)


# Push buttons: normal, pressed, disabled, hot, focused.
def push_buttons():
    w, h, r = 28, 24, 3
    n = dict(border=(92, 116, 152), top=WHITE, bottom=(214, 224, 240))
    states = [
        sp.face(w, h, r, n["border"], n["top"], n["bottom"], FACE),
        sp.face(w, h, r, (72, 96, 134), (198, 210, 228), (224, 231, 242), FACE),
        sp.face(w, h, r, (178, 186, 200), (244, 246, 249), (232, 235, 240), FACE),
        sp.face(w, h, r, ACCENT, WHITE, (198, 218, 246), FACE),
        sp.face(w, h, r, (52, 96, 160), n["top"], n["bottom"], FACE, ring=(128, 170, 228)),
    ]
    return sp.strip(states)


def check_boxes():
    states = []
    for checked, enabled in ((False, True), (True, True), (False, False), (True, False)):
        border = (84, 106, 140) if enabled else (176, 184, 198)
        top, bottom = (WHITE, (218, 226, 238)) if enabled else ((244, 245, 248), (234, 237, 242))
        img = sp.face(13, 13, 2, border, top, bottom, FACE)
        if checked:
            sp.check_mark(img, 3, 3.6, 1.0, (30, 76, 150) if enabled else (158, 166, 180), 1.9)
        states.append(img)
    return sp.strip(states)


def radio_buttons():
    states = []
    for checked, enabled in ((False, True), (True, True), (False, False), (True, False)):
        border = (84, 106, 140) if enabled else (176, 184, 198)
        top, bottom = (WHITE, (218, 226, 238)) if enabled else ((244, 245, 248), (234, 237, 242))
        img = Image(13, 13)
        paint(img, circle(6.5, 6.5, 6.4), border, backdrop=FACE)
        paint(img, circle(6.5, 6.5, 5.4), sp.gradient(top, bottom, 1, 12))
        if checked:
            paint(img, circle(6.5, 6.5, 2.7), (30, 76, 150) if enabled else (158, 166, 180))
        states.append(img)
    return sp.strip(states)


def tabs():
    w, h = 40, 24

    def tab(top, bottom, raised, accent=None):
        img = Image(w, h)
        y0 = 0 if raised else 2
        shape = sp.rounded_box(0, y0, w, h + 4, 4, 0)
        paint(img, shape, LINE, backdrop=FACE)
        paint(img, sp.rounded_box(1, y0 + 1, w - 1, h + 4, 3, 0), sp.gradient(top, bottom, y0 + 1, h))
        if accent:
            inner = sp.rounded_box(1, y0 + 1, w - 1, h + 4, 3, 0)
            paint(img, lambda x, y: y < y0 + 3 and inner(x, y), accent)
        if not raised:
            img.hline(0, w, h - 1, LINE)
        return img

    ordinary = tab((240, 244, 249), (214, 223, 236), False)
    current = tab(WHITE, FACE, True, accent=(72, 124, 196))
    hot = tab((250, 252, 255), (224, 233, 246), False)
    return sp.strip([ordinary, current, hot, tab((238, 240, 244), (228, 231, 236), False), current])


def tab_pane():
    img = Image(16, 16, FACE)
    img.fill(0, 0, 16, 1, LINE)
    img.fill(0, 15, 16, 16, LINE)
    img.fill(0, 0, 1, 16, LINE)
    img.fill(15, 0, 16, 16, LINE)
    img.hline(1, 15, 1, WHITE)
    img.vline(1, 1, 15, WHITE)
    return img


def extra_images():
    frames = []
    for colour, dy in (((40, 56, 84), 0), ((20, 36, 64), 1), ((170, 176, 188), 0), ((30, 80, 160), 0)):
        img = Image(12, 12)
        sp.arrow(img, 6, 6.5 + dy, 3.6, "down", colour)
        frames.append(img)
    frames.append(sp.size_grip(12, WHITE, (140, 152, 172)))
    return sp.strip(frames)


def scroll_parts():
    size = 17

    def arrow_face(border, top, bottom):
        return lambda s: sp.face(s, s, 3, border, top, bottom, FACE)
    faces = {
        "normal": arrow_face((150, 164, 186), (250, 251, 253), (222, 229, 239)),
        "pressed": arrow_face((104, 124, 158), (196, 208, 226), (214, 223, 236)),
        "disabled": arrow_face((196, 202, 212), (244, 245, 248), (236, 238, 242)),
        "hot": arrow_face((72, 124, 196), WHITE, (204, 222, 246)),
    }
    glyphs = {"normal": (50, 66, 96), "pressed": (30, 44, 70), "disabled": (180, 186, 198), "hot": (30, 80, 160)}
    grips = {"normal": (WHITE, (110, 128, 160)), "pressed": ((220, 228, 240), (70, 92, 130)),
             "hot": (WHITE, (60, 100, 160))}
    bar = sp.scrollbar_strip(size, faces, glyphs, grips)

    def track(vertical):
        frames = []
        for enabled in (True, True, False, False):
            img = Image(size, size)
            a, b = ((214, 221, 232), (238, 242, 247)) if enabled else ((236, 238, 242), (240, 242, 245))
            if vertical:
                img.hgradient(0, 0, size, size, a, b)
                img.vline(0, 0, size, (200, 208, 222))
            else:
                img.vgradient(0, 0, size, size, a, b)
                img.hline(0, size, 0, (200, 208, 222))
            frames.append(img)
        return sp.strip(frames)

    def thumb(vertical):
        frames = []
        for border, top, bottom in (((104, 128, 166), (206, 220, 240), (168, 190, 222)),
                                    ((82, 108, 150), (150, 176, 214), (178, 200, 230)),
                                    ((72, 124, 196), (224, 236, 250), (186, 208, 238))):
            if vertical:
                img = sp.face(24, size, 4, border, top, bottom, (226, 231, 239), box=(0, 1, 24, size - 1))
                frames.append(img.transposed())
            else:
                frames.append(sp.face(24, size, 4, border, top, bottom, (226, 231, 239), box=(0, 1, 24, size - 1)))
        return sp.strip(frames)

    return sp.scroll_pictures(bar, track, thumb)


def group_box():
    edge = []
    for line in (LINE, (190, 196, 206)):
        img = Image(16, 16)
        paint(img, sp.outline(round_rect(0, 0, 16, 16, 3), round_rect(1, 1, 15, 15, 2)), line, backdrop=FACE)
        paint(img, round_rect(1, 1, 15, 15, 2), FACE)
        edge.append(img)
    label = sp.face(24, 18, 4, LINE, WHITE, FACE, FACE)
    return {"groupboxedge": sp.strip(edge), "groupbox": label}


def pictures():
    up_down_faces = (((120, 138, 166), WHITE, (214, 224, 238)), ((84, 108, 148), (194, 208, 228), (220, 228, 240)),
                     ((190, 196, 206), (244, 246, 249), (236, 238, 242)), ((72, 124, 196), WHITE, (200, 220, 246)))
    up_down_inks = ((40, 56, 84), (20, 36, 64), (176, 182, 194), (30, 80, 160))
    combo_faces = (
        ((112, 132, 164), WHITE, (210, 221, 238)), ((72, 104, 150), (196, 210, 230), (222, 230, 242)),
        ((180, 188, 200), (244, 246, 249), (234, 237, 242)), ((72, 124, 196), WHITE, (196, 216, 246)),
    )
    menu_edge = (120, 136, 162)
    selected_item = sp.face(24, 20, 3, (58, 104, 170), (118, 166, 228), (72, 122, 194), MENU)
    return sp.theme_pictures(FRAME, ACTIVE, INACTIVE, {
        "textback": text_back(),
        "menubar": sp.menu_bar((((246, 248, 252), (226, 232, 241)), ((246, 247, 249), (236, 238, 242))),
                               (196, 205, 220)),
        "close": caption_button(close_glyph, CLOSE_FACES),
        "maximize": caption_button(maximize_glyph, CB_FACES),
        "restore": caption_button(restore_glyph, CB_FACES),
        "minimize": caption_button(minimize_glyph, CB_FACES),
        "help": caption_button(help_glyph, CB_FACES),
        "button": push_buttons(),
        "check": check_boxes(),
        "radio": radio_buttons(),
        "tabs": tabs(),
        "tabpane": tab_pane(),
        "sunkedge": sp.sunk_edge(((120, 136, 162), (72, 124, 196), (176, 184, 198), (72, 124, 196)),
                                 (176, 184, 198), (242, 244, 247),
                                 top_line=lambda inside: (214, 221, 232) if inside == WHITE else inside),
        "combobutton": sp.combo_button(combo_faces, 2),
        "extraimages": extra_images(),
        "statusbar": sp.edge_states(12, 12, FACE, (160, 172, 190), WHITE),
        "progress": sp.strip([
            sp.face(20, 16, 2, (130, 146, 170), (222, 228, 237), (246, 248, 251), FACE),
            sp.face(20, 16, 2, (40, 86, 150), (122, 178, 240), (50, 106, 182), FACE, shine=(168, 206, 248)),
        ]),
        "headerbar": sp.header_bar(((WHITE, (226, 232, 240)), ((246, 250, 255), (208, 224, 246))), LINE, LINE,
                                   (3, 17)),
    }, scroll_parts(),
        sp.trackbar_parts(sp.track(16, 6, (120, 136, 162), (196, 206, 222), (232, 237, 244), FACE),
                          (72, 104, 150), WHITE, (196, 214, 238), FACE),
        sp.up_down(up_down_faces, up_down_inks, 2, FACE),
        sp.menus(MENU, menu_edge, menu_edge, [(2, 22, 14, (200, 208, 222)), (2, 22, 15, WHITE)], selected_item),
        group_box())
