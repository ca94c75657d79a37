"""Drawing helpers shared by every skin module.

Hard-edged parts (window outlines, rims, panels) are drawn pixel by pixel so
that the colour key stays exact; round or slanted shapes are drawn on a 4x
sketch and reduced with premultiplied alpha, which keeps their edges soft
without dark fringes.
"""

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from . import palette as P

SUPERSAMPLE = 4
_fonts = {}


def font(path, size):
    key = (path, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(path, size)
    return _fonts[key]


def new(w, h, fill=(0, 0, 0, 0)):
    if len(fill) == 3:
        fill = fill + (255,)
    return Image.new("RGBA", (w, h), fill)


def _gradient(img, box, first, last, alpha, vertical):
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    a, b = (y0, y1) if vertical else (x0, x1)
    n = max(1, b - a - 1)
    for i in range(a, b):
        c = P.mix(first, last, (i - a) / n) + (alpha,)
        d.line([(x0, i), (x1 - 1, i)] if vertical else [(i, y0), (i, y1 - 1)], fill=c)


def vgradient(img, box, top, bottom, alpha=255):
    """Opaque vertical gradient over box (x0, y0, x1, y1), x1/y1 exclusive."""
    _gradient(img, box, top, bottom, alpha, True)


def hgradient(img, box, left, right, alpha=255):
    _gradient(img, box, left, right, alpha, False)


def rect(img, box, rgb, alpha=255):
    """Filled rectangle, x1/y1 exclusive; replaces the pixels."""
    x0, y0, x1, y1 = box
    if x1 > x0 and y1 > y0:
        ImageDraw.Draw(img).rectangle([x0, y0, x1 - 1, y1 - 1], fill=tuple(rgb[:3]) + (alpha,))


def frame(img, box, top_left, bottom_right=None, alpha=255):
    """One-pixel frame; the top and left edges in one colour, the others in another."""
    bottom_right = bottom_right or top_left
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    d.line([(x0, y1 - 1), (x1 - 1, y1 - 1)], fill=tuple(bottom_right) + (alpha,))
    d.line([(x1 - 1, y0), (x1 - 1, y1 - 1)], fill=tuple(bottom_right) + (alpha,))
    d.line([(x0, y0), (x1 - 1, y0)], fill=tuple(top_left) + (alpha,))
    d.line([(x0, y0), (x0, y1 - 1)], fill=tuple(top_left) + (alpha,))


def hline(img, x0, x1, y, rgb, alpha=255):
    ImageDraw.Draw(img).line([(x0, y), (x1 - 1, y)], fill=tuple(rgb) + (alpha,))


def vline(img, x, y0, y1, rgb, alpha=255):
    ImageDraw.Draw(img).line([(x, y0), (x, y1 - 1)], fill=tuple(rgb) + (alpha,))


def inset(img, box, fill=P.INSET):
    """A recessed panel: dark upper-left lip, lit lower-right lip."""
    x0, y0, x1, y1 = box
    rect(img, box, fill)
    frame(img, box, P.INSET_SHADOW, P.INSET_EDGE)
    hline(img, x0 + 1, x1 - 1, y0 + 1, P.mix(fill, P.INSET_SHADOW, 0.5))


def over(base, layer, xy=(0, 0)):
    """layer composited over base at xy (both RGBA), in place."""
    base.alpha_composite(layer, dest=(int(xy[0]), int(xy[1])))
    return base


def tint(mask, rgb):
    """An RGBA image of one colour whose alpha is the given L mask."""
    out = Image.new("RGBA", mask.size, tuple(rgb) + (0,))
    out.putalpha(mask)
    return out


def scale_alpha(img, factor):
    out = img.copy()
    a = out.getchannel("A").point(lambda v: int(v * factor))
    out.putalpha(a)
    return out


def glow(img, radius, rgb, strength=1.0):
    """A soft halo of the image's own shape, put under it."""
    pad = radius * 2
    big = new(img.width + 2 * pad, img.height + 2 * pad)
    big.paste(img, (pad, pad))
    mask = big.getchannel("A").filter(ImageFilter.GaussianBlur(radius))
    mask = mask.point(lambda v: min(255, int(v * strength)))
    halo = tint(mask, rgb)
    halo.alpha_composite(big)
    return halo.crop((pad, pad, pad + img.width, pad + img.height))


def text(img, xy, s, size, rgb, path=P.FONT_BOLD, alpha=255, anchor="la"):
    ImageDraw.Draw(img).text(xy, s, font=font(path, size), fill=tuple(rgb) + (alpha,), anchor=anchor)


def text_size(s, size, path=P.FONT_BOLD):
    x0, y0, x1, y1 = font(path, size).getbbox(s)
    return x1 - x0, y1 - y0


class Sketch:
    """A supersampled RGBA drawing that is reduced to its final size.

    Coordinates are in final pixels (floats allowed).  Every shape is
    composited over what is already drawn.
    """

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SUPERSAMPLE, h * SUPERSAMPLE), (0, 0, 0, 0))

    def _s(self, pts):
        return [(x * SUPERSAMPLE, y * SUPERSAMPLE) for x, y in pts]

    def _layer(self):
        layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        return layer, ImageDraw.Draw(layer)

    def polygon(self, pts, rgba):
        layer, d = self._layer()
        d.polygon(self._s(pts), fill=_rgba(rgba))
        self.img.alpha_composite(layer)

    def ellipse(self, box, rgba, outline=None, width=1.0):
        layer, d = self._layer()
        x0, y0, x1, y1 = box
        d.ellipse(self._s([(x0, y0), (x1, y1)]), fill=_rgba(rgba) if rgba else None,
                  outline=_rgba(outline) if outline else None,
                  width=int(round(width * SUPERSAMPLE)))
        self.img.alpha_composite(layer)

    def rounded(self, box, radius, rgba, outline=None, width=1.0):
        layer, d = self._layer()
        x0, y0, x1, y1 = box
        d.rounded_rectangle(self._s([(x0, y0), (x1, y1)]), radius=radius * SUPERSAMPLE,
                            fill=_rgba(rgba) if rgba else None,
                            outline=_rgba(outline) if outline else None,
                            width=int(round(width * SUPERSAMPLE)))
        self.img.alpha_composite(layer)

    def line(self, pts, rgba, width=1.0):
        layer, d = self._layer()
        d.line(self._s(pts), fill=_rgba(rgba), width=int(round(width * SUPERSAMPLE)))
        self.img.alpha_composite(layer)

    def gradient_polygon(self, pts, top, bottom, y0, y1, alpha=255):
        """A polygon filled with a vertical gradient between rows y0 and y1."""
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).polygon(self._s(pts), fill=alpha)
        grad = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        d = ImageDraw.Draw(grad)
        s0, s1 = int(y0 * SUPERSAMPLE), int(y1 * SUPERSAMPLE)
        for y in range(self.img.height):
            t = 0.0 if y <= s0 else 1.0 if y >= s1 else (y - s0) / max(1, s1 - s0)
            d.line([(0, y), (self.img.width, y)], fill=P.mix(top, bottom, t) + (255,))
        grad.putalpha(mask)
        self.img.alpha_composite(grad)

    def image(self):
        small = self.img.convert("RGBa").resize((self.w, self.h), Image.BOX)
        return small.convert("RGBA")


def _rgba(c):
    return tuple(c) if len(c) == 4 else tuple(c) + (255,)


def chamfer_polygon(w, h, cut, inset_px=0.0):
    """Outline of a w x h plate with its four corners cut at 45 degrees."""
    i = inset_px
    return [(cut + i, i), (w - cut - i, i), (w - i, cut + i), (w - i, h - cut - i),
            (w - cut - i, h - i), (cut + i, h - i), (i, h - cut - i), (i, cut + i)]


def chamfer_mask(w, h, cut):
    """Hard-edged mask (255 inside) of a chamfered plate, exact to the pixel."""
    m = Image.new("L", (w, h), 255)
    d = ImageDraw.Draw(m)
    for k in range(cut):
        n = cut - k  # pixels cut away on row k from each side
        d.line([(0, k), (n - 1, k)], fill=0)
        d.line([(w - n, k), (w - 1, k)], fill=0)
        d.line([(0, h - 1 - k), (n - 1, h - 1 - k)], fill=0)
        d.line([(w - n, h - 1 - k), (w - 1, h - 1 - k)], fill=0)
    return m


def premultiplied_over(dst_rgb, src):
    """An opaque copy of src drawn over an opaque picture (both RGBA)."""
    out = dst_rgb.copy()
    out.alpha_composite(src)
    return out


def difference_is_zero(a, b):
    return ImageChops.difference(a.convert("RGBA"), b.convert("RGBA")).getbbox() is None


def shadow_of(mask, offset, radius, opacity, size):
    """A black soft shadow of an L mask, shifted by offset, on a canvas of size."""
    canvas = Image.new("L", size, 0)
    canvas.paste(mask, offset)
    blurred = canvas.filter(ImageFilter.GaussianBlur(radius))
    blurred = blurred.point(lambda v: int(v * opacity))
    return tint(blurred, (0, 0, 0))
