"""The digit families of the number read-outs: slanted seven-segment digits
with faint unlit segments, as on a bench instrument.

Every image of a family has one size, because a read-out places its digits
by the width of digit 0.  The padding at each side is what the read-out's
negative spacing eats, so lit segments of neighbours never touch.
"""

from . import canvas as C
from . import palette as P

# Segments a..g: top, upper right, lower right, bottom, lower left, upper left, middle.
_SEGMENTS = {
    0: "abcdef", 1: "bc", 2: "abged", 3: "abgcd", 4: "fgbc",
    5: "afgcd", 6: "afgedc", 7: "abc", 8: "abcdefg", 9: "abcdfg",
}

GREEN = (90, 255, 110)


class Family:
    def __init__(self, folder, size, pad_left, pad_right, colour, highlight, with_points,
                 point_w=None, mhz=None):
        self.folder = folder
        self.size = size
        self.pad_left, self.pad_right = pad_left, pad_right
        self.colour, self.highlight = colour, highlight
        self.with_points = with_points
        self.point_w = point_w
        self.mhz = mhz  # (width, height, font size) of the unit picture


FAMILIES = [
    Family("Numbers", (18, 28), 2, 2, P.VALUE, P.CHANGED, True, point_w=18),
    # A read-out's point starts 4 inside the digit before it and the next
    # digit follows at the digit width - 10 after that: the middle digits
    # carry padding enough to leave the point its gap.
    Family("Middle_Numbers", (16, 20), 3, 3, P.VALUE, P.CHANGED, True, point_w=18),
    Family("Small_Numbers", (14, 16), 2, 3, P.CAPTION, None, False, mhz=(24, 16, 9)),
    Family("Green", (22, 28), 3, 3, GREEN, None, False, mhz=(30, 24, 12)),
]


def _segment_polys(gx, gy, gw, gh, t):
    """Hexagonal segments of a glyph box; t is the stroke thickness."""
    h2 = gh / 2
    g = t * 0.18  # gap between segments
    def hseg(y):
        return [(gx + t * 0.5 + g, y), (gx + t + g, y - t / 2), (gx + gw - t - g, y - t / 2),
                (gx + gw - t * 0.5 - g, y), (gx + gw - t - g, y + t / 2), (gx + t + g, y + t / 2)]

    def vseg(x, y0, y1):
        return [(x, y0 + t * 0.5 + g), (x + t / 2, y0 + t + g), (x + t / 2, y1 - t - g),
                (x, y1 - t * 0.5 - g), (x - t / 2, y1 - t - g), (x - t / 2, y0 + t + g)]

    left, right = gx + t / 2, gx + gw - t / 2
    top, mid, bot = gy + t / 2, gy + h2, gy + gh - t / 2
    return {
        "a": hseg(top), "g": hseg(mid), "d": hseg(bot),
        "f": vseg(left, top, mid), "b": vseg(right, top, mid),
        "e": vseg(left, mid, bot), "c": vseg(right, mid, bot),
    }


def _slant(pts, gy, gh, amount):
    return [(x + amount * (gy + gh - y) / gh, y) for x, y in pts]


def _digit(family, value, colour):
    w, h = family.size
    gw = w - family.pad_left - family.pad_right
    slant = gw * 0.16
    gw_body = gw - slant
    gx, gy, gh = family.pad_left, 1.0, h - 2.0
    t = max(1.6, gw_body * 0.2)
    sk = C.Sketch(w, h)
    lit = _SEGMENTS[value]
    for name, poly in _segment_polys(gx, gy, gw_body, gh, t).items():
        on = name in lit
        sk.polygon(_slant(poly, gy, gh, slant), colour + ((255,) if on else (26,)))
    return C.glow(sk.image(), 1, colour, 0.35)


def _point(family, colour):
    """The decimal point: a square near the image's left, at the baseline."""
    w, h = family.point_w, family.size[1]
    sk = C.Sketch(w, h)
    d = max(2.5, family.size[0] * 0.2)
    x0 = 4.0
    sk.rounded((x0, h - 1 - d, x0 + d, h - 1), 0.4, colour + (255,))
    return C.glow(sk.image(), 1, colour, 0.35)


def _mhz(family):
    w, h, size = family.mhz
    img = C.new(w, h)
    C.text(img, (0, h - 1), "MHz", size, family.colour, path=P.FONT_BOLD, anchor="ls")
    return C.glow(img, 1, family.colour, 0.3)


def all_digits():
    out = {}
    for fam in FAMILIES:
        count = 20 if fam.highlight else 10
        for i in range(count):
            colour = fam.colour if i < 10 else fam.highlight
            out[f"{fam.folder}/{i:02d}.png"] = _digit(fam, i % 10, colour)
        if fam.with_points:
            out[f"{fam.folder}/Point1.png"] = _point(fam, fam.colour)
            out[f"{fam.folder}/Point2.png"] = _point(fam, fam.highlight)
        if fam.mhz:
            out[f"{fam.folder}/mhz.png"] = _mhz(fam)
    return out
