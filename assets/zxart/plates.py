"""Button plates and glyphs in their four states.

Every push button of both programs is one of these plates: a chamfered metal
plate that lights a cyan rim when the pointer is over it, sinks when pressed
and greys out when unavailable.  The state names are the file suffixes.
"""

from . import canvas as C
from . import palette as P

STATES = ("n", "d", "o", "un")


def _style(state):
    if state == "o":
        return dict(top=P.mix(P.METAL_TOP, P.VALUE, 0.12), bottom=P.mix(P.METAL_BOTTOM, P.VALUE, 0.08),
                    rim=P.scale(P.VALUE, 0.85), hi=P.mix(P.METAL_HI, P.VALUE, 0.4), glyph=P.VALUE, shift=0)
    if state == "d":
        return dict(top=P.scale(P.METAL_BOTTOM, 0.75), bottom=P.scale(P.METAL_TOP, 0.8),
                    rim=P.scale(P.VALUE, 0.55), hi=P.scale(P.METAL_BOTTOM, 0.6), glyph=P.scale(P.VALUE, 0.85), shift=1)
    if state == "un":
        return dict(top=(44, 46, 50), bottom=(34, 36, 39), rim=(58, 60, 64), hi=(56, 58, 62),
                    glyph=P.DISABLED_GREY, shift=0)
    return dict(top=P.METAL_TOP, bottom=P.METAL_BOTTOM, rim=P.METAL_EDGE, hi=P.METAL_HI,
                glyph=(190, 200, 210), shift=0)


def plate(w, h, state, cut=3.0, dark=False):
    """A chamfered plate of w x h with soft edges; dark plates are recessed."""
    s = _style(state)
    sk = C.Sketch(w, h)
    top, bottom = s["top"], s["bottom"]
    if dark:
        top, bottom = P.scale(top, 0.62), P.scale(bottom, 0.62)
    sk.polygon(C.chamfer_polygon(w, h, cut), s["rim"] + (255,))
    sk.gradient_polygon(C.chamfer_polygon(w, h, cut, 1.0), top, bottom, 1, h - 1)
    if state != "d":
        sk.line([(cut + 1, 1.5), (w - cut - 1, 1.5)], s["hi"] + (150,), 1.0)
    else:
        sk.line([(cut + 1, 1.5), (w - cut - 1, 1.5)], P.INSET_SHADOW + (200,), 1.0)
    return sk.image(), s


def _glyph_layer(w, h, draw, colour, shift):
    sk = C.Sketch(w, h)
    draw(sk, colour, shift)
    return sk.image()


def glyph_button(w, h, state, draw, cut=3.0, glow=True, glyph_colour=None):
    """A plate with a glyph drawn by draw(sketch, colour, shift)."""
    img, s = plate(w, h, state, cut)
    colour = glyph_colour(state) if glyph_colour else s["glyph"]
    g = _glyph_layer(w, h, draw, colour, s["shift"])
    if glow and state == "o":
        g = C.glow(g, 2, colour, 0.7)
    C.over(img, g)
    return img


def triangle(direction, cx, cy, size):
    """A solid triangle pointing left, right, up or down around (cx, cy)."""
    s = size
    if direction == "left":
        return [(cx - s * 0.55, cy), (cx + s * 0.45, cy - s * 0.6), (cx + s * 0.45, cy + s * 0.6)]
    if direction == "right":
        return [(cx + s * 0.55, cy), (cx - s * 0.45, cy - s * 0.6), (cx - s * 0.45, cy + s * 0.6)]
    if direction == "up":
        return [(cx, cy - s * 0.55), (cx - s * 0.6, cy + s * 0.45), (cx + s * 0.6, cy + s * 0.45)]
    return [(cx, cy + s * 0.55), (cx - s * 0.6, cy - s * 0.45), (cx + s * 0.6, cy - s * 0.45)]


def chevron(sk, direction, cx, cy, size, rgba, width=1.6):
    s = size
    if direction == "down":
        pts = [(cx - s, cy - s * 0.5), (cx, cy + s * 0.5), (cx + s, cy - s * 0.5)]
    else:
        pts = [(cx - s, cy + s * 0.5), (cx, cy - s * 0.5), (cx + s, cy + s * 0.5)]
    sk.line(pts, rgba, width)


def four_states(make):
    """{suffix: image} for the four button states."""
    return {st: make(st) for st in STATES}
