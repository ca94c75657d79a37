"""Pictures of the dialog library: the Save Profile dialog and the ask
dialog (normal and danger faces), their close buttons, frames, pictures and
shadows.

The dialogs are cut out by the colour key of their background's bottom-left
pixel.  All six dialog buttons are blended over the Save Profile dialog's
face, the ask dialog's buttons included, so the face under every button
place is the same plain colour in every dialog picture.
"""

from . import canvas as C
from . import geometry as G
from . import palette as P
from .plates import plate
from .window import _paint_outline, drop_shadow

DIALOG_FACE = (26, 29, 34)
TITLE_H = 40


def _face(w, h, danger=False):
    img = C.new(w, h, P.COLOUR_KEY)
    face = C.new(w, h, DIALOG_FACE)
    if danger:
        C.vgradient(face, (0, 0, w, TITLE_H), (78, 24, 22), (44, 16, 15))
    else:
        C.vgradient(face, (0, 0, w, TITLE_H), P.TITLE_TOP, P.TITLE_BOTTOM)
    C.hline(face, 0, w, TITLE_H, P.RIM_OUTER)
    C.hline(face, 0, w, TITLE_H + 1, P.scale(P.RIM, 0.7) if not danger else (150, 40, 30))
    mask = C.chamfer_mask(w, h, G.DIALOG_CHAMFER)
    img.paste(face, (0, 0), mask)
    _paint_outline(img, mask)
    if danger:
        _hazard_stripe(img, (G.DIALOG_CHAMFER + 2, TITLE_H - 5, w - G.DIALOG_CHAMFER - 2, TITLE_H))
    return img


def _hazard_stripe(img, box):
    x0, y0, x1, y1 = box
    px = img.load()
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[x, y] = (P.AMBER if ((x + y) // 5) % 2 == 0 else (20, 14, 10)) + (255,)


def _vents(img, x, y0, count, step=9):
    for i in range(count):
        y = y0 + i * step
        C.rect(img, (x, y, x + 14, y + 4), P.INSET_SHADOW)
        C.hline(img, x, x + 14, y + 4, P.scale(P.RIM, 0.7))


def _badge(danger):
    """The ask dialog's mark in its title band: information or warning."""
    sk = C.Sketch(20, 20)
    if danger:
        sk.polygon([(10, 1.5), (19, 18), (1, 18)], P.DANGER + (255,))
        sk.polygon([(10, 4.5), (16.5, 16.5), (3.5, 16.5)], (40, 10, 8, 255))
        sk.line([(10, 8), (10, 12.5)], P.DANGER + (255,), 2.0)
        sk.ellipse((9, 14, 11, 16), P.DANGER + (255,))
        colour = P.DANGER
    else:
        sk.ellipse((1, 1, 19, 19), None, P.VALUE + (255,), 1.6)
        sk.ellipse((9, 5, 11, 7), P.VALUE + (255,))
        sk.line([(10, 9), (10, 15)], P.VALUE + (255,), 2.0)
        colour = P.VALUE
    return C.glow(sk.image(), 2, colour, 0.5)


def _close_button(background, xy):
    """The corner close button as the form stores it: opaque, with every
    pixel outside the plate in the button's transparent colour."""
    w, h = G.DIALOG_CLOSE
    x, y = xy
    under = background.crop((x, y, x + w, y + h))
    out = {}
    for prop, st in (("RaisedBmp", "n"), ("SunkenBmp", "d"), ("FocusedBmp", "o")):
        face, s = plate(w, h, st, cut=4)
        sk = C.Sketch(w, h)
        colour = (255, 80, 70) if st in ("o", "d") else (190, 200, 210)
        cx, cy = w / 2, h / 2 + s["shift"]
        sk.line([(cx - 4, cy - 4), (cx + 4, cy + 4)], colour + (255,), 1.8)
        sk.line([(cx + 4, cy - 4), (cx - 4, cy + 4)], colour + (255,), 1.8)
        C.over(face, sk.image())
        img = under.copy()
        img.alpha_composite(face)
        px, fa = img.load(), face.getchannel("A").load()
        for j in range(h):
            for i in range(w):
                r, g, b, _ = px[i, j]
                if fa[i, j] == 0:
                    px[i, j] = P.CLOSE_BUTTON_KEY + (255,)
                elif (r, g, b) == P.CLOSE_BUTTON_KEY:
                    px[i, j] = (r + 1, g, b, 255)  # keep the plate solid
                else:
                    px[i, j] = (r, g, b, 255)
        out[prop] = img
    return out


def _edit_frame(size):
    """A frame around the dialog's edit or list, the same colour inside."""
    w, h = size
    img = C.new(w, h)
    sk = C.Sketch(w, h)
    sk.polygon(C.chamfer_polygon(w, h, 3), P.scale(P.VALUE, 0.5) + (255,))
    sk.polygon(C.chamfer_polygon(w, h, 3, 1), P.INSET_SHADOW + (255,))
    C.over(img, sk.image())
    C.rect(img, (2, 2, w - 2, h - 2), P.EDIT_BG)
    return img


def _profile_stack():
    """Image1: a stack of three setting plates, the profile mark."""
    w, h = G.PROFILE_IMAGE1
    sk = C.Sketch(w, h)
    for i, alpha in ((2, 110), (1, 170), (0, 255)):
        y = 8 + i * 11
        pts = [(12, y + 12), (28, y + 4), (44, y + 12), (28, y + 20)]
        sk.polygon(pts, P.scale(P.VALUE, 0.35) + (alpha,))
        sk.line(pts + [pts[0]], P.VALUE + (alpha,), 1.4)
    return C.glow(sk.image(), 2, P.VALUE, 0.4)


def _footer_strip():
    """Image2: a ruler with four status lamps, under the dialog's contents."""
    w, h = G.PROFILE_IMAGE2
    img = C.new(w, h)
    C.hline(img, 0, w - 60, 6, P.INSET_EDGE)
    for k in range(0, (w - 60) // 8 + 1):
        x = k * 8
        C.vline(img, x, 2 if k % 5 == 0 else 4, 6, P.scale(P.VALUE, 0.5) if k % 5 == 0 else (64, 72, 84))
    sk = C.Sketch(w, h)
    for i, c in enumerate((P.VALUE, P.VALUE, P.CAPTION, (60, 66, 74))):
        x = w - 52 + i * 13
        sk.ellipse((x, 3, x + 7, 10), c + (255,))
    C.over(img, C.glow(sk.image(), 2, P.VALUE, 0.4))
    return img


def profile_dialog():
    w, h = G.PROFILE_DIALOG
    bg = _face(w, h)
    _vents(bg, w - 30, 62, 13)
    out = {"forms/TProfileDialog.Background.png": bg,
           "forms/TProfileDialog.Image1.png": _profile_stack(),
           "forms/TProfileDialog.Image2.png": _footer_strip(),
           "type_name.png": _edit_frame(G.TYPE_NAME),
           "names.png": _edit_frame(G.NAMES),
           "save_profile_shadow01.png": drop_shadow(w, h, G.DIALOG_CHAMFER, (5, 6), 5, 0.65)}
    for prop, img in _close_button(bg, G.PROFILE_CLOSE_XY).items():
        out[f"forms/TProfileDialog.CloseButton.{prop}.png"] = img
    return out


def ask_dialog():
    w, h = G.ASK_DIALOG
    normal = _face(w, h)
    C.over(normal, _badge(False), (14, 10))
    danger = _face(w, h, danger=True)
    C.over(danger, _badge(True), (14, 9))
    out = {"forms/TAskDialog.Background.png": normal,
           "forms/TAskDialog.WarnDialogBk.png": danger,
           "shadow_01.png": drop_shadow(w, h, G.DIALOG_CHAMFER, (5, 6), 5, 0.65)}
    for prop, img in _close_button(normal, G.ASK_CLOSE_XY).items():
        out[f"forms/TAskDialog.CloseButton.{prop}.png"] = img
    return out


def all_dialogs():
    out = profile_dialog()
    out.update(ask_dialog())
    return out
