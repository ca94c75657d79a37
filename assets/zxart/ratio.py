"""Skins of the CPU ratio pages: the vertical ratio bars and their fill
segments, the small display bars, the Roman core numerals, the core-unlock
images and the many-core preview buttons.

The fill is drawn by the program from three segments (bottom, a middle one
stretched to the level, top) over a channel background, so the segments are
plain columns whose rows are all alike.
"""

from . import canvas as C
from . import geometry as G
from . import palette as P
from .plates import plate

NUMERALS = ["I", "II", "III", "IV", "V", "VI"]


def _channel(img, box):
    """A recessed channel the fill rises in."""
    C.rect(img, box, P.INSET_SHADOW)
    x0, y0, x1, y1 = box
    C.frame(img, box, P.INSET_SHADOW, P.INSET_EDGE)
    C.frame(img, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), P.scale(P.INSET_EDGE, 0.7), P.RIM_OUTER)
    C.rect(img, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), (9, 11, 13))


def _ruler(img, x, base, travel, steps, length=(4, 7)):
    for k in range(steps + 1):
        y = round(base - k * travel / steps)
        major = k % 5 == 0
        C.hline(img, x, x + (length[1] if major else length[0]), y,
                P.scale(P.VALUE, 0.55) if major else (70, 80, 92), alpha=255 if major else 200)


def _bar_background():
    w, h = G.BAR_BG
    img = C.new(w, h)
    _channel(img, (1, 9, 24, 152))
    _ruler(img, 28, 146, 131, 10)
    # A small index plate under the channel.
    C.rect(img, (1, 156, 24, 160), P.scale(P.VALUE, 0.35))
    return img


def _segments(width, down_h, top_h, colour):
    """(bottom, middle, top) fill pieces of a column of the given width."""
    edge, core = P.scale(colour, 0.5), colour
    def column(h, bright_top=False, dark_bottom=False):
        img = C.new(width, h)
        C.hgradient(img, (0, 0, width // 2, h), edge, core)
        C.hgradient(img, (width // 2, 0, width, h), core, edge)
        if bright_top:
            C.hline(img, 1, width - 1, 0, P.mix(colour, (255, 255, 255), 0.6))
        if dark_bottom:
            C.hline(img, 0, width, h - 1, P.scale(colour, 0.35))
        return img
    return column(down_h, dark_bottom=True), column(2), column(top_h, bright_top=True)


def _segment_set(folder, width, down_h, top_h):
    out = {}
    for name, colour in (("light", P.FILL), ("yellow", P.CHANGED)):
        down, medium, top = _segments(width, down_h, top_h, colour)
        out[f"{folder}{name}_down.png"] = down
        out[f"{folder}{name}_medium.png"] = medium
        out[f"{folder}{name}_top.png"] = top
    return out


def _drag_handle():
    """The ratio bar's dot: a grip resting on the top of the fill."""
    sk = C.Sketch(22, 24)
    sk.polygon(C.chamfer_polygon(21, 10, 2), P.METAL_EDGE + (255,))
    sk.gradient_polygon(C.chamfer_polygon(21, 10, 2, 1), P.METAL_HI, P.METAL_BOTTOM, 1, 9)
    sk.line([(4, 5), (17, 5)], P.CHANGED + (255,), 2.0)
    img = C.new(22, 24)
    C.over(img, sk.image(), (0, 10))
    tri = C.Sketch(22, 24)
    tri.polygon([(6.5, 20), (14.5, 20), (10.5, 24)], P.CHANGED + (255,))
    C.over(img, tri.image())
    return C.glow(img, 2, P.CHANGED, 0.4)


def _numeral(text, size, colour, box=None):
    w, h = C.text_size(text, size, P.FONT_SERIF_BOLD)
    bw, bh = box or (w + 4, size + 4)
    img = C.new(bw, bh)
    C.text(img, (bw / 2, bh / 2), text, size, colour, path=P.FONT_SERIF_BOLD, anchor="mm")
    return C.glow(img, 1, colour, 0.4)


def numerals():
    out = {}
    for i, n in enumerate(NUMERALS):
        out[f"Rome_number/{n}.png"] = _numeral(n, 13, P.CAPTION)
        out[f"numbers/{n}.png"] = _numeral(n, 11, (150, 172, 190))
        out[f"AMD/Rome_number_small/{i + 1:02d}.png"] = _numeral(n, 8, P.CAPTION, box=(14, 10))
    return out


def _small_background():
    w, h = G.SMALL_BAR_BG
    img = C.new(w, h)
    _channel(img, (3, 4, 17, 61))
    _ruler(img, 21, 56, 47, 5, length=(3, 6))
    C.rect(img, (6, 77, 34, 100), (14, 16, 19), alpha=230)
    C.frame(img, (6, 77, 34, 100), P.INSET_SHADOW, P.INSET_EDGE)
    return img


def _boost_column(w, h, channel, plate_box):
    """A core-unlock image: the channel lit from end to end, with chevrons."""
    img = C.new(w, h)
    x0, y0, x1, y1 = channel
    _channel(img, channel)
    C.hgradient(img, (x0 + 1, y0 + 1, (x0 + x1) // 2, y1 - 1), P.scale(P.AMBER, 0.45), P.AMBER)
    C.hgradient(img, ((x0 + x1) // 2, y0 + 1, x1 - 1, y1 - 1), P.AMBER, P.scale(P.AMBER, 0.45))
    sk = C.Sketch(w, h)
    cx = (x0 + x1) / 2
    half = (x1 - x0) / 2 - 3
    y = y1 - 10
    while y > y0 + 8:
        sk.line([(cx - half, y + half * 0.6), (cx, y), (cx + half, y + half * 0.6)], (40, 20, 0, 200), 1.6)
        y -= 9
    C.over(img, sk.image())
    img = C.glow(img, 3, P.AMBER, 0.35)
    px0, py0, px1, py1 = plate_box
    C.rect(img, plate_box, (14, 16, 19), alpha=230)
    C.frame(img, plate_box, P.INSET_SHADOW, P.scale(P.AMBER, 0.6))
    return img


def kavrin_bars():
    bw, bh = G.KAVRIN_BIG_BAR
    sw, sh = G.KAVRIN_SMALL_BAR
    return {
        # Drawn over the major bar, which sits 4 right and 17 down of it.
        "Kavrin/big_bar01.png": _boost_column(bw, bh, (7, 24, 26, 167), (4, 172, 54, 188)),
        "Kavrin/small_bar01.png": _boost_column(sw, sh, (7, 15, 19, 72), (4, 76, 42, 88)),
    }


def amd_preview():
    out = {}
    w, h = G.AMD_PREVIEW
    for st in ("n", "d", "o"):
        img, _ = plate(w, h, st, cut=5)
        dark = C.new(w, h)
        C.rect(dark, (6, 8, w - 6, h - 5), P.INSET_SHADOW, alpha=200)
        C.frame(dark, (6, 8, w - 6, h - 5), P.INSET_SHADOW, P.INSET_EDGE)
        C.over(img, dark)
        out[f"AMD/preview/box_{st}.png"] = img
    sw, sh = G.AMD_SLIDER
    slider = C.new(sw, sh)
    _channel(slider, (1, 1, sw - 1, sh - 1))
    out["AMD/small_slider/small_slider.png"] = slider
    down, medium, top = _segments(10, 3, 4, P.FILL)
    out["AMD/small_slider/small_light_down.png"] = down
    out["AMD/small_slider/small_light_medium.png"] = C.new(10, 1)
    out["AMD/small_slider/small_light_medium.png"].paste(medium.crop((0, 0, 10, 1)))
    out["AMD/small_slider/small_light_top.png"] = top
    return out


def all_ratio():
    out = {"bar_bg01.png": _bar_background(), "dot_d.png": _drag_handle(),
           "small_bar/small_bg01.png": _small_background()}
    out.update(_segment_set("", G.BAR_SEGMENT_W, 4, 4))
    out.update(_segment_set("small_bar/", G.SMALL_SEGMENT_W, 3, 3))
    out.update(numerals())
    out.update(kavrin_bars())
    out.update(amd_preview())
    return out
