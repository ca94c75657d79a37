"""The main window's pictures: the three backgrounds, the page pictures, the
drop-down pieces of the profile box, and the drop shadows.

The window is colour-keyed: every pixel outside the chamfered outline is the
colour key, and the outline is hard-edged so that no blend of the key shows.
"""

import random

from PIL import ImageChops, ImageFilter

from . import canvas as C
from . import geometry as G
from . import palette as P


def _rings(mask, count):
    """The outline of a mask as `count` one-pixel rings, outermost first."""
    rings, cur = [], mask
    for _ in range(count):
        inner = cur.filter(ImageFilter.MinFilter(3))
        rings.append(ImageChops.subtract(cur, inner))
        cur = inner
    return rings


def _paint_outline(img, mask, light_rows=G.SHARED_ROWS):
    """Machined rim: a dark outer line, a lit metal line, a soft inner line.
    The light falls off over a fixed span, so windows of every height share
    the same upper rim."""
    w, h = img.size
    outer, metal, inner = _rings(mask, 3)
    img.paste(P.RIM_OUTER + (255,), (0, 0), outer)
    lit = C.new(w, h, P.scale(P.RIM, 0.55))
    C.vgradient(lit, (0, 0, w, min(h, light_rows)), P.RIM, P.scale(P.RIM, 0.55))
    img.paste(lit, (0, 0), metal)
    img.paste(P.RIM_INNER + (255,), (0, 0), inner)


def _emblem(img, x, y):
    """The product mark: a chamfered square with a lit core."""
    sk = C.Sketch(16, 16)
    sk.polygon(C.chamfer_polygon(16, 16, 4, 0.5), P.VALUE + (255,))
    sk.polygon(C.chamfer_polygon(16, 16, 3.5, 2.0), P.TITLE_BOTTOM + (255,))
    sk.polygon([(5, 5), (11, 5), (11, 11), (5, 11)], P.VALUE + (220,))
    C.over(img, C.glow(sk.image(), 3, P.VALUE, 0.6), (x, y))


def _wordmark(img, x, y):
    for ch in "ZENDRIX":
        C.text(img, (x, y), ch, 14, (222, 230, 238))
        x += C.text_size(ch, 14)[0] + 3


def _face(height):
    """The plain face of the window of the given height, without pages."""
    w = G.MAIN_W
    img = C.new(w, height, P.COLOUR_KEY)
    face = C.new(w, height)
    C.vgradient(face, (0, 0, w, G.TITLE_H), P.TITLE_TOP, P.TITLE_BOTTOM)
    C.vgradient(face, (0, G.TITLE_H, w, G.SHARED_ROWS), P.FACE_TOP, P.FACE_BOTTOM)
    C.rect(face, (0, G.SHARED_ROWS, w, height), P.FACE_BOTTOM)
    # A very fine brushed grain keeps the large plain areas from looking flat.
    rnd = random.Random(7)
    px = face.load()
    for y in range(G.TITLE_H + 2, height):
        for x in range(0, w, 1):
            if rnd.random() < 0.18:
                r, g, b, a = px[x, y]
                d = rnd.choice((-2, -1, 1, 2))
                px[x, y] = (max(0, r + d), max(0, g + d), max(0, b + d), a)
    C.hline(face, 0, w, G.TITLE_H, P.RIM_OUTER)
    C.hline(face, 0, w, G.TITLE_H + 1, P.scale(P.RIM, 0.7))
    mask = C.chamfer_mask(w, height, G.MAIN_CHAMFER)
    img.paste(face, (0, 0), mask)
    _paint_outline(img, mask)

    _emblem(img, 16, 14)
    _wordmark(img, 40, 14)
    # Machined vent slots in the title band.
    for i in range(7):
        x = 470 + i * 11
        C.rect(img, (x, 17, x + 6, 28), P.INSET_SHADOW)
        C.hline(img, x, x + 6, 28, P.scale(P.RIM, 0.8))

    # Recessed panel under the four main bars, one band per bar.
    x0, y0, x1, y1 = G.BARS_PANEL
    C.inset(img, G.BARS_PANEL)
    for n, by in enumerate(G.MAIN_BAR_Y):
        if n % 2:
            C.rect(img, (x0 + 2, by - 5, x1 - 1, by + 23), P.scale(P.INSET, 1.25))
    C.vline(img, 157, y0 + 4, y1 - 4, P.GRID)
    C.vline(img, 158, y0 + 4, y1 - 4, P.INSET_SHADOW)
    return img


def _pages(img, size):
    """Tab strip and the recessed page panel of an expanded window."""
    C.rect(img, G.TAB_STRIP, P.TAB_STRIP)
    x0, y0, x1, y1 = G.TAB_STRIP
    C.hline(img, x0, x1, y0, P.INSET_SHADOW)
    panel = G.PAGE_PANEL[size]
    C.inset(img, panel, P.PAGE)
    px0, py0, px1, py1 = panel
    # A faint measuring grid, every 24 pixels.
    for x in range(px0 + 12, px1 - 2, 24):
        C.vline(img, x, py0 + 3, py1 - 2, P.GRID, alpha=255)
    for y in range(py0 + 14, py1 - 2, 24):
        C.hline(img, px0 + 2, px1 - 1, y, P.GRID)


def main_backgrounds():
    small = _face(G.SMALL_H)
    middle = _face(G.MIDDLE_H)
    _pages(middle, "middle")
    large = _face(G.LARGE_H)
    _pages(large, "large")
    return small, middle, large


def _corner_marks(img, rgb):
    """Corner brackets that mark a page picture's area, like a scope graticule."""
    w, h = img.size
    for (x, y, dx, dy) in ((1, 1, 1, 1), (w - 2, 1, -1, 1), (1, h - 2, 1, -1), (w - 2, h - 2, -1, -1)):
        for i in range(10):
            img.putpixel((x + dx * i, y), rgb + (255,))
            img.putpixel((x, y + dy * i), rgb + (255,))


def _die_watermark(img, box):
    """A faint processor die left of the ratio bars, where no control sits."""
    x0, y0, x1, y1 = box
    sk = C.Sketch(img.width, img.height)
    ink = (33, 38, 46, 255)
    inner = [(x + x0, y + y0) for x, y in C.chamfer_polygon(x1 - x0, y1 - y0, 10, 2)]
    outer = [(x + x0, y + y0) for x, y in C.chamfer_polygon(x1 - x0, y1 - y0, 10)]
    sk.polygon(outer, ink)
    sk.polygon(inner, P.PAGE + (255,))
    m = 34
    sk.rounded((x0 + m, y0 + m, x1 - m, y1 - m), 3, None, ink, 1.5)
    for i in range(4):
        for j in range(4):
            cx, cy = x0 + m + 12 + i * ((x1 - x0 - 2 * m - 24) / 3), y0 + m + 12 + j * ((y1 - y0 - 2 * m - 24) / 3)
            sk.rounded((cx - 6, cy - 6, cx + 6, cy + 6), 1, (26, 30, 36, 255))
    pins = 9
    for k in range(pins):
        t = x0 + 22 + k * ((x1 - x0 - 44) / (pins - 1))
        u = y0 + 22 + k * ((y1 - y0 - 44) / (pins - 1))
        sk.line([(t, y0 - 10), (t, y0)], ink, 2)
        sk.line([(t, y1), (t, y1 + 10)], ink, 2)
        sk.line([(x0 - 10, u), (x0, u)], ink, 2)
        sk.line([(x1, u), (x1 + 10, u)], ink, 2)
    C.over(img, sk.image())


def page_pictures(large, middle):
    """`CoreBk` and `GpuBk`: the page panel where they sit, with their marks."""
    x, y = G.PAGE_XY
    w, h = G.CORE_BK_SIZE
    core = large.crop((x, y, x + w, y + h))
    _die_watermark(core, (44, 60, 184, 200))
    _corner_marks(core, P.scale(P.VALUE, 0.35))
    w, h = G.GPU_BK_SIZE
    gpu = middle.crop((x, y, x + w, y + h))
    _corner_marks(gpu, P.scale(P.CAPTION, 0.35))
    return core, gpu


def combo_drop_pieces():
    """`ComboBoxBody` (stretched down the open list) and `ComboBoxBottom`."""
    w = G.COMBO_DROP[0]
    body = C.new(w, 4, P.INSET)
    C.vline(body, 0, 0, 4, P.scale(P.VALUE, 0.45))
    C.vline(body, w - 1, 0, 4, P.scale(P.VALUE, 0.45))
    bottom = C.new(w, 6, P.INSET)
    C.vline(bottom, 0, 0, 5, P.scale(P.VALUE, 0.45))
    C.vline(bottom, w - 1, 0, 5, P.scale(P.VALUE, 0.45))
    C.hline(bottom, 1, w - 1, 5, P.scale(P.VALUE, 0.45))
    C.hline(bottom, 2, w - 2, 4, P.INSET_SHADOW)
    return body, bottom


def drop_shadow(window_w, window_h, chamfer, offset=(5, 7), radius=5, opacity=0.6):
    """A soft black shadow whose top-left corner is the window's top-left corner."""
    pad_x, pad_y = offset[0] + 2 * radius, offset[1] + 2 * radius
    size = (window_w + pad_x, window_h + pad_y)
    mask = C.chamfer_mask(window_w, window_h, chamfer)
    return C.shadow_of(mask, offset, radius, opacity, size)


def main_shadows():
    return {
        "small_shadow002.png": drop_shadow(G.MAIN_W, G.SMALL_H, G.MAIN_CHAMFER),
        "big_shadow002.png": drop_shadow(G.MAIN_W, G.MIDDLE_H, G.MAIN_CHAMFER),
        "big_shadow003.png": drop_shadow(G.MAIN_W, G.LARGE_H, G.MAIN_CHAMFER),
    }
