"""The core-unlock monitor's background (two halves stacked by the program)
and the tray icon.

The monitor is a per-pixel-alpha window, so its outline may be soft; its
animation sits at (5, 20), 121 x 120, and the movie's close button at
(108, 7).
"""

import struct
from io import BytesIO

from . import canvas as C
from . import geometry as G
from . import palette as P


def monitor_halves():
    w, top_h, down_h = G.TURBO_W, G.TURBO_TOP_H, G.TURBO_DOWN_H
    h = top_h + down_h
    sk = C.Sketch(w, h)
    outline = C.chamfer_polygon(w, h, 8, 0.5)
    sk.polygon(outline, P.RIM_OUTER + (245,))
    sk.gradient_polygon(C.chamfer_polygon(w, h, 8, 1.5), P.RIM, P.scale(P.RIM, 0.5), 0, h)
    sk.gradient_polygon(C.chamfer_polygon(w, h, 7.5, 2.5), P.TITLE_TOP, P.FACE_BOTTOM, 0, 20)
    img = sk.image()
    # The animation's well.
    C.inset(img, (4, 19, w - 4, h - 4), P.INSET)
    for gx in range(4 + 15, w - 5, 15):
        C.vline(img, gx, 21, h - 5, P.GRID)
    for gy in range(19 + 15, h - 5, 15):
        C.hline(img, 6, w - 5, gy, P.GRID)
    C.rect(img, (6, 4, 9, 13), P.VALUE)
    for i in range(4):
        C.hline(img, 14, 14 + 44 - i * 9, 6 + i * 2, P.scale(P.VALUE, 0.6 - i * 0.12))
    C.rect(img, (104, 4, 124, 17), P.INSET_SHADOW)
    C.frame(img, (104, 4, 124, 17), P.INSET_SHADOW, P.INSET_EDGE)
    return img.crop((0, 0, w, top_h)), img.crop((0, top_h, w, h))


def _icon_image(size):
    sk = C.Sketch(size, size)
    cut = size * 0.25
    sk.polygon(C.chamfer_polygon(size, size, cut), P.RIM_OUTER + (255,))
    sk.gradient_polygon(C.chamfer_polygon(size, size, cut, max(1.0, size / 16)), P.TITLE_TOP, P.INSET, 0, size)
    s = size / 16.0
    z = [(4 * s, 4.5 * s), (12 * s, 4.5 * s), (5 * s, 11.5 * s), (12 * s, 11.5 * s)]
    sk.line(z, P.VALUE + (255,), max(1.5, 2.0 * s))
    return sk.image()


def ico_bytes(sizes=(16, 32, 48)):
    """A Windows icon file with one 32-bit image (alpha and mask) per size."""
    entries, blobs = [], []
    for size in sizes:
        img = _icon_image(size)
        rows = []
        for y in range(size - 1, -1, -1):  # bottom-up rows
            for x in range(size):
                r, g, b, a = img.getpixel((x, y))
                rows.append(struct.pack("<BBBB", b, g, r, a))
        xor = b"".join(rows)
        mask_row = ((size + 31) // 32) * 4
        and_mask = bytearray(mask_row * size)
        for y in range(size):
            for x in range(size):
                if img.getpixel((x, size - 1 - y))[3] == 0:
                    and_mask[y * mask_row + x // 8] |= 0x80 >> (x % 8)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
        blob = header + xor + bytes(and_mask)
        blobs.append(blob)
        entries.append(size)
    out = BytesIO()
    out.write(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, blob in zip(entries, blobs):
        dim = 0 if size >= 256 else size
        out.write(struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
    for blob in blobs:
        out.write(blob)
    return out.getvalue()


def icon_preview():
    """The largest icon image, for the contact sheet."""
    return _icon_image(48)


def all_turbo():
    top, down = monitor_halves()
    return {"res/big_bg/big_bg_top.png": top, "res/big_bg/big_bg_down.png": down}
