"""Skins of the main window's controls: window buttons, push buttons, the
More Setting box, tabs, the profile box, the value bars and their step
buttons, the group icons, the link switch, the core count and on/off boxes.

Each function returns {path under Resource: image}.
"""

from . import canvas as C
from . import geometry as G
from . import palette as P
from .plates import STATES, chevron, glyph_button, plate, triangle


def _named(base, images, states=STATES):
    return {f"{base}_{st}.png": images[st] for st in states if st in images}


def window_buttons():
    w, h = G.CLOSE_SIZE

    def cross(sk, colour, shift):
        a, b = 6.5, 13.5
        sk.line([(a, 5 + shift), (b, 12 + shift)], colour + (255,), 1.8)
        sk.line([(b, 5 + shift), (a, 12 + shift)], colour + (255,), 1.8)

    def bar(sk, colour, shift):
        sk.line([(6, 12 + shift), (14, 12 + shift)], colour + (255,), 2.0)

    close_colour = {"o": (255, 80, 70), "d": (220, 60, 50)}
    out = {}
    for st in ("n", "d", "o"):
        out[f"colse_{st}.png"] = glyph_button(w, h, st, cross, cut=3,
                                              glyph_colour=lambda s: close_colour.get(s, (190, 200, 210)))
        out[f"small_{st}.png"] = glyph_button(w, h, st, bar, cut=3)
    return out


def push_buttons():
    w, h = G.BUTTON01
    out = {}
    for st in STATES:
        img, _ = plate(w, h, st, cut=5)
        out[f"button01_{st}.png"] = img
    w, h = G.SMALL_BUTTON01
    for st in ("n", "d", "o"):
        img, _ = plate(w, h, st, cut=4)
        out[f"small_button01_{st}.png"] = img
    return out


def _more_setting(w, state, checked):
    """Expander: a recessed strip for the caption and a chevron at its end."""
    h = G.MORE_SET[1]
    sk = C.Sketch(w, h)
    rim = {"o": P.scale(P.VALUE, 0.8), "d": P.scale(P.VALUE, 0.5)}.get(state, P.INSET_EDGE)
    sk.polygon(C.chamfer_polygon(w, h, 4), rim + (255,))
    top = P.scale(P.INSET, 1.3) if state != "d" else P.INSET_SHADOW
    sk.gradient_polygon(C.chamfer_polygon(w, h, 4, 1), top, P.INSET, 1, h - 1)
    colour = P.VALUE if state in ("o", "d") else (60, 231, 249) if checked else (150, 170, 185)
    cx = w - 11
    chevron(sk, "up" if checked else "down", cx, h / 2 - 0.5, 3.6, colour + (255,), 1.8)
    sk.line([(w - 22, 5), (w - 22, h - 5)], P.INSET_EDGE + (255,), 1.0)
    img = sk.image()
    if state == "o":
        img = C.glow(img, 2, P.VALUE, 0.25)
    return img


def more_setting():
    out = {}
    for base, w in (("more_set", G.MORE_SET[0]), ("more_set2", G.MORE_SET2[0])):
        for checked, word in ((False, "down"), (True, "up")):
            for st in ("n", "d", "o"):
                out[f"{base}_{word}_{st}.png"] = _more_setting(w, st, checked)
    return out


def _tab(first, selected):
    """Opaque tab over the tab strip; the selected one opens into the page."""
    w, h = G.TAB
    img = C.new(w, h, P.TAB_STRIP)
    sk = C.Sketch(w, h)
    cut = 7
    outline = [(0, h), (0, cut), (cut, 0), (w - cut, 0), (w, cut), (w, h)]
    inner = [(1, h), (1, cut + 0.5), (cut + 0.5, 1), (w - cut - 0.5, 1), (w - 1, cut + 0.5), (w - 1, h)]
    if selected:
        sk.polygon(outline, P.RIM + (255,))
        sk.gradient_polygon(inner, P.mix(P.PAGE, P.CAPTION, 0.10), P.PAGE, 1, h - 6)
        sk.line([(cut + 1, 1.5), (w - cut - 1, 1.5)], P.CAPTION + (255,), 2.0)
    else:
        sk.polygon(outline, P.INSET_EDGE + (255,))
        sk.gradient_polygon(inner, (32, 36, 42), (22, 25, 30), 1, h)
        sk.line([(cut + 1, 1.5), (w - cut - 1, 1.5)], P.scale(P.CAPTION, 0.3) + (255,), 1.0)
    C.over(img, sk.image())
    if not selected:
        C.hline(img, 0, w, h - 1, P.INSET_SHADOW)
    if first:
        # The leftmost tab carries a small index notch.
        C.rect(img, (10, 13, 13, 19), P.CAPTION if selected else P.scale(P.CAPTION, 0.35))
    return img


def tabs():
    return {
        "tab01_down.png": _tab(True, False), "tab01_up.png": _tab(True, True),
        "tab02_down.png": _tab(False, False), "tab02_up.png": _tab(False, True),
    }


def profile_box():
    w, h = G.COMBO_BOX
    out = {}
    for st in ("n", "o"):
        sk = C.Sketch(w, h)
        rim = P.scale(P.VALUE, 0.55 if st == "n" else 0.95)
        sk.polygon(C.chamfer_polygon(w, h, 3), rim + (255,))
        sk.gradient_polygon(C.chamfer_polygon(w, h, 3, 1), P.INSET_SHADOW, P.INSET, 1, h - 1)
        img = sk.image()
        if st == "o":  # open: the lower edge joins the list below
            C.hline(img, 3, w - 3, h - 1, P.scale(P.VALUE, 0.45))
        out[f"combo_box_{st}.png"] = img

    def arrow(sk, colour, shift):
        sk.polygon(triangle("down", 10, 10 + shift, 7), colour + (255,))

    bw, bh = G.COMBO_BUTTON
    for st in ("n", "d", "o"):
        out[f"combo_button_{st}.png"] = glyph_button(bw, bh, st, arrow, cut=2)
    return out


def _step(size, direction, state, plate_w=None):
    """A step button; a narrower plate keeps clear of the text beside it."""
    w, h = size
    pw = plate_w or w

    def draw(sk, colour, shift):
        sk.polygon(triangle(direction, pw / 2, h / 2 + shift, min(pw, h) * 0.55), colour + (255,))

    face = glyph_button(pw, h, state, draw, cut=2)
    if pw == w:
        return face
    img = C.new(w, h)
    C.over(img, face, (w - pw if direction == "left" else 0, 0))
    return img


def step_buttons():
    out = {}
    for direction in ("left", "right"):
        for st in ("n", "d", "o"):
            out[f"big_{direction}_{st}.png"] = _step(G.LARGE_STEP, direction, st)
        for st in STATES:
            out[f"{direction}_{st}.png"] = _step(G.SMALL_STEP, direction, st, plate_w=12)
    return out


def _large_track(lit):
    """The main bars' track: a groove with a scale of ten divisions."""
    w, h = G.LARGE_TRACK
    img = C.new(w, h)
    x0, x1 = 2, w - 2
    C.rect(img, (x0, 4, x1, 10), P.INSET_SHADOW)
    C.hline(img, x0, x1, 10, P.INSET_EDGE)
    if lit:
        C.hgradient(img, (x0 + 1, 5, x1 - 1, 9), P.scale(P.FILL, 0.55), P.FILL)
        C.hline(img, x0 + 1, x1 - 1, 5, (190, 255, 250))
    else:
        C.rect(img, (x0 + 1, 5, x1 - 1, 9), (20, 26, 30))
    tick = P.VALUE if lit else (70, 80, 92)
    for k in range(0, 21):
        x = x0 + 3 + k * 15
        if x >= x1:
            break
        major = k % 2 == 0
        C.vline(img, x, 0 if major else 1, 3, tick, alpha=255 if major else 170)
        C.vline(img, x, 11, 14 if major else 13, tick, alpha=255 if major else 170)
    if lit:
        img = C.glow(img, 2, P.FILL, 0.35)
    return img


def _knob(size, state):
    """The main bars' dot: an upright knob with a cyan index line."""
    w, h = size
    sk = C.Sketch(w, h)
    rim = P.scale(P.VALUE, 0.9) if state == "o" else P.METAL_EDGE
    sk.polygon(C.chamfer_polygon(w, h, 3, 0.5), rim + (255,))
    top = P.METAL_HI if state == "o" else P.METAL_TOP
    sk.gradient_polygon(C.chamfer_polygon(w, h, 3, 1.5), top, P.METAL_BOTTOM, 1, h - 1)
    for y in (5, 8, h - 9, h - 6):
        sk.line([(3, y), (w - 3, y)], P.METAL_EDGE + (200,), 1.0)
    sk.line([(w / 2, 10), (w / 2, h - 10)], P.VALUE + (255,), 2.0)
    img = sk.image()
    return C.glow(img, 2, P.VALUE, 0.5) if state == "o" else img


def _small_slider(variant, disabled):
    """Slider of the small bars; the program fills row 9 from x 6 on."""
    w, h = G.SMALL_TRACK
    img = C.new(w, h)
    C.hline(img, 4, w - 4, 7, P.scale(P.INSET_EDGE, 0.6))
    C.hline(img, 4, w - 4, 8, P.RIM_OUTER)
    C.hline(img, 4, w - 4, 9, (14, 17, 20))
    C.hline(img, 4, w - 4, 10, (66, 75, 86))
    C.vline(img, 3, 7, 12, P.INSET_EDGE)
    C.vline(img, w - 4, 7, 12, P.INSET_EDGE)
    tick = (64, 72, 84) if not disabled else (50, 52, 56)
    travel = w - 25
    n = 8 if variant == 1 else 4
    for k in range(n + 1):
        x = 6 + round(k * travel / n)
        C.vline(img, x, 13, 16 if k in (0, n) else 15, tick)
        if variant == 2:
            C.vline(img, x, 3, 6, tick)
    return img


def _small_dot(state):
    w, h = G.SMALL_DOT
    sk = C.Sketch(w, h)
    if state == "un":
        ring, face, core = (70, 72, 76), (46, 48, 52), (90, 94, 100)
    else:
        ring = P.VALUE if state == "o" else P.scale(P.VALUE, 0.7)
        face, core = (P.METAL_HI if state == "o" else P.METAL_TOP), P.VALUE
    sk.rounded((0.5, 0.5, w - 0.5, h - 0.5), 3.5, ring + (255,))
    sk.rounded((1.5, 1.5, w - 1.5, h - 1.5), 2.5, face + (255,))
    sk.rounded((4.5, 4, w - 4.5, h - 4), 1.0, core + (255,))
    img = sk.image()
    return C.glow(img, 2, P.VALUE, 0.6) if state == "o" else img


def bars():
    out = {
        "color_bar_dark01.png": _large_track(False),
        "color_bar_light01.png": _large_track(True),
        "dot_n.png": _knob(G.LARGE_DOT, "n"),
        "dot_o.png": _knob(G.LARGE_DOT, "o"),
        "small_slider01.png": _small_slider(1, False),
        "small_slider02.png": _small_slider(2, False),
        "small_slider01_un.png": _small_slider(1, True),
    }
    for st in ("n", "o", "un"):
        out[f"small_dot_{st}.png"] = _small_dot(st)
    return out


def _icon_chip(sk, c):
    sk.rounded((7, 4, 19, 16), 1.5, None, c + (255,), 1.4)
    sk.rounded((10.5, 7.5, 15.5, 12.5), 0.5, c + (255,))
    for i in range(4):
        y = 6 + i * 2.7
        sk.line([(3, y), (6.5, y)], c + (255,), 1.0)
        sk.line([(19.5, y), (23, y)], c + (255,), 1.0)


def _icon_dram(sk, c):
    sk.rounded((2, 5, 24, 13), 1.0, None, c + (255,), 1.3)
    for i in range(4):
        x = 4.5 + i * 5
        sk.rounded((x, 7, x + 3, 11), 0.3, c + (255,))
    for i in range(9):
        x = 3.5 + i * 2.4
        sk.line([(x, 13.5), (x, 16)], c + (255,), 0.9)


def _icon_misc(sk, c):
    for i, knob in enumerate((8, 17, 11)):
        x = 6 + i * 7
        sk.line([(x, 3), (x, 17)], c + (160,), 1.2)
        sk.rounded((x - 2.5, knob - 2, x + 2.5, knob + 2), 1.0, c + (255,))


def group_icons():
    w, h = G.GROUP_ICON
    out = {}
    for name, draw in (("cpu_chipset_icon.png", _icon_chip), ("dram_icon.png", _icon_dram),
                       ("misc_icon.png", _icon_misc)):
        sk = C.Sketch(w, h)
        draw(sk, P.GROUP_CAPTION)
        out[name] = C.glow(sk.image(), 2, P.GROUP_CAPTION, 0.35)
    return out


def separator():
    w, h = G.LINE01
    img = C.new(w, h)
    C.hline(img, 0, w, 1, P.INSET_SHADOW)
    line = C.new(w, 1)
    C.hgradient(line, (0, 0, w // 2, 1), P.INSET_EDGE, P.scale(P.VALUE, 0.55))
    C.hgradient(line, (w // 2, 0, w, 1), P.scale(P.VALUE, 0.55), P.INSET_EDGE)
    img.paste(line, (0, 2))
    for x in (0, w - 1):
        C.vline(img, x, 0, h, P.INSET_EDGE)
    return {"line01.png": img}


def _link(linked, state):
    """The Easy Mode switch: two chain links, joined and lit when linked."""
    w, h = G.LINK_BUTTON
    img, s = plate(w, h, state, cut=3)
    c = P.VALUE if linked else (150, 160, 172)
    if state == "o":
        c = P.mix(c, (255, 255, 255), 0.25)
    sk = C.Sketch(w, h)
    dy = s["shift"]
    gap = 0 if linked else 3
    sk.rounded((6.5, 5 + dy - gap, 15.5, 20 + dy - gap), 4.0, None, c + (255,), 1.8)
    sk.rounded((6.5, 20 + dy + gap, 15.5, 35 + dy + gap), 4.0, None, c + (255,), 1.8)
    if linked:
        sk.line([(11, 14 + dy), (11, 26 + dy)], c + (255,), 2.0)
    g = sk.image()
    if linked:
        g = C.glow(g, 2, P.VALUE, 0.6)
    C.over(img, g)
    return img


def link_button():
    out = {}
    for st in ("n", "d", "o"):
        out[f"link_button_{st}.png"] = _link(False, st)
        out[f"link_button02_{st}.png"] = _link(True, st)
    return out


def _display_window(w, h, cut=3):
    """A recessed read-out window with a dim cyan frame."""
    sk = C.Sketch(w, h)
    sk.polygon(C.chamfer_polygon(w, h, cut), P.scale(P.VALUE, 0.45) + (255,))
    sk.gradient_polygon(C.chamfer_polygon(w, h, cut, 1), P.INSET_SHADOW, P.INSET, 1, h - 1)
    return sk.image()


def _power_glyph(sk, on, cx, cy, colour):
    if on:  # the line of the "on" power symbol
        sk.line([(cx, cy - 5), (cx, cy + 5)], colour + (255,), 2.0)
    else:   # the circle of the "off" power symbol
        sk.ellipse((cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5), None, colour + (255,), 1.8)


def _onoff(on, state):
    w, h = G.ONOFF_BUTTON
    lit = P.VALUE if on else P.CAPTION
    sk = C.Sketch(w, h)
    if state == "d":  # checked: the segment glows
        sk.rounded((1, 1, w - 1, h - 1), 2, P.scale(lit, 0.28) + (255,))
        sk.rounded((1, 1, w - 1, h - 1), 2, None, P.scale(lit, 0.8) + (255,), 1.0)
        colour = lit
    elif state == "o":
        sk.rounded((1, 1, w - 1, h - 1), 2, (40, 46, 54, 255))
        colour = P.mix(lit, (255, 255, 255), 0.2)
    else:
        sk.rounded((1, 1, w - 1, h - 1), 2, (26, 30, 35, 255))
        colour = (96, 104, 114)
    _power_glyph(sk, on, w / 2, h / 2, colour)
    img = sk.image()
    return C.glow(img, 2, lit, 0.5) if state == "d" else img


def boxes():
    out = {"core_box_n.png": _display_window(*G.CORE_BOX),
           "Kavrin/box_bg01.png": _display_window(*G.ONOFF_BOX)}
    for st in ("n", "o", "d"):
        out[f"Kavrin/no_{st}.png"] = _onoff(True, st)
        out[f"Kavrin/off_{st}.png"] = _onoff(False, st)
    return out


def all_controls():
    out = {}
    for part in (window_buttons, push_buttons, more_setting, tabs, profile_box, step_buttons,
                 bars, group_icons, separator, link_button, boxes):
        out.update(part())
    return out
