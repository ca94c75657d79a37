"""The review sheet: the windows assembled from their pictures the way the
programs place them, then every generated picture with its name.

Nothing here is shipped; it exists so that a person can judge the set at a
glance.
"""

from PIL import Image, ImageDraw

from . import canvas as C
from . import geometry as G
from . import palette as P

SHEET_BG = (96, 100, 106)
LABEL = (235, 238, 242)


def _checker(w, h, cell=8):
    img = Image.new("RGBA", (w, h), (58, 60, 64, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, h, cell):
        for x in range((y // cell % 2) * cell, w, cell * 2):
            d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(74, 76, 80, 255))
    return img


def _label(img, xy, s, rgb=(255, 255, 255), size=11, anchor="la"):
    C.text(img, xy, s, size, rgb, path=P.FONT_REGULAR, anchor=anchor)


def _for_sheet(img):
    """Small pictures doubled so that their pixels can be judged; large ones reduced."""
    if max(img.size) <= 100:
        return img.resize((img.width * 2, img.height * 2), Image.NEAREST)
    if img.width > 400 or img.height > 400:
        shown = img.copy()
        shown.thumbnail((400, 400))
        return shown
    return img


def _key_out(bg):
    """The background with its colour-keyed pixels made transparent."""
    img = bg.copy()
    key = bg.getpixel((0, bg.height - 1))[:3]
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            if px[x, y][:3] == key:
                px[x, y] = (0, 0, 0, 0)
    return img


def _large_bar(win, r, x, y, frac, name, value, unit):
    track = r["color_bar_dark01.png"].copy()
    dot_left = x - 3 + round(frac * 300)
    w = dot_left - x + 5
    track.paste(r["color_bar_light01.png"].crop((0, 0, w, track.height)), (0, 0))
    C.over(win, track, (x, y))
    C.over(win, r["big_left_n.png"], (x - 22, y + 1))
    C.over(win, r["big_right_n.png"], (x + 312, y + 1))
    C.over(win, r["dot_n.png"], (dot_left, y - 6))
    _label(win, (x - 147, y - 2), name, P.CAPTION, 12, "ra")
    _label(win, (x - 30, y - 2), unit, P.VALUE, 12, "ra")
    _label(win, (x - 30 - C.text_size(unit, 12, P.FONT_REGULAR)[0] - 5, y - 2), value, P.VALUE, 12, "ra")


def _small_bar(win, r, x, y, frac, name, value, changed=False):
    slider = r["small_slider01.png"].copy()
    travel = slider.width - 25
    w = round(frac * travel)
    for px in range(6, w + 3):
        slider.putpixel((px, 9), P.FILL + (255,))
    C.over(win, slider, (x, y))
    C.over(win, r["left_n.png"], (x - 18, y))
    C.over(win, r["right_n.png"], (x + slider.width - 3, y))
    C.over(win, r["small_dot_n.png"], (x + w, y + 2))
    _label(win, (x - 110, y + 3), name, (40, 255, 217), 11, "ra")
    _label(win, (x - 40, y + 3), value, P.CHANGED if changed else P.VALUE, 11, "ra")
    _label(win, (x - 35, y + 3), "(V)", P.VALUE, 11)


def _digits(win, r, folder, text, x, y, spacing, highlighted=False):
    """Lays out a read-out the way the number LEDs do, points included."""
    for ch in text:
        if ch == ".":
            pt = r[f"{folder}/Point{2 if highlighted else 1}.png"]
            x -= 4
            C.over(win, pt, (x, y))
            x += pt.width - 10
            continue
        img = r[f"{folder}/{int(ch) + (10 if highlighted else 0):02d}.png"]
        C.over(win, img, (x, y))
        x += img.width + spacing
    return x


def _ratio_bar(win, r, core_bk_xy, x, y, frac, core, ratio, mhz, hover=False):
    bg = r["bar_bg01.png"]
    C.over(win, bg, (x, y))
    o = round(frac * 131)
    colour = "yellow" if hover else "light"
    C.over(win, r[f"{colour}_down.png"], (x + 3, y + 146))
    mid = r[f"{colour}_medium.png"].resize((G.BAR_SEGMENT_W, max(1, o)))
    C.over(win, mid, (x + 3, y + 146 - o))
    C.over(win, r[f"{colour}_top.png"], (x + 3, y + 146 - o - 4))
    if hover:
        C.over(win, r["dot_d.png"], (x + 2, y + 122 - o))
    C.over(win, r[f"numbers/{['I', 'II', 'III', 'IV', 'V', 'VI'][core]}.png"], (x + 25, y - 21))
    _digits(win, r, "Numbers", f"{ratio:02d}", x + 10, y + 174, 0, highlighted=hover)
    _digits(win, r, "Small_Numbers", f"{mhz:04d}", x - 2, y + 227, -4)
    C.over(win, r["Small_Numbers/mhz.png"], (x - 2 + 44, y + 227))


def _main_common(win, r, size):
    C.over(win, r["colse_n.png"], G.CLOSE_XY)
    C.over(win, r["small_o.png"], G.MINIMIZE_XY)
    C.over(win, r["combo_box_n.png"], G.COMBO_XY)
    C.over(win, r["combo_button_n.png"], (G.COMBO_XY[0] + 172, G.COMBO_XY[1] + 1))
    _label(win, (G.COMBO_XY[0] - 4, G.COMBO_XY[1] + 4), "Profiles", P.CAPTION, 12, "ra")
    _label(win, (G.COMBO_XY[0] + 6, G.COMBO_XY[1] + 4), "Daily 4.2 GHz", (255, 255, 251), 11)
    C.over(win, r["button01_n.png"], G.SAVE_PROFILE_XY)
    _label(win, (G.SAVE_PROFILE_XY[0] + 55, G.SAVE_PROFILE_XY[1] + 13), "Save Profile", P.BUTTON_TEXT, 11, "mm")
    by = G.BUTTON_ROW_Y[size]
    C.over(win, r["button01_un.png"], (G.APPLY_X, by))
    _label(win, (G.APPLY_X + 55, by + 13), "Apply", (120, 124, 130), 11, "mm")
    C.over(win, r["button01_o.png"], (G.UNDO_X, by))
    _label(win, (G.UNDO_X + 55, by + 13), "Undo", (155, 230, 253), 11, "mm")
    state = "down" if size == "small" else "up"
    C.over(win, r[f"more_set_{state}_n.png"], G.MORE_SETTING_XY)
    _label(win, (G.MORE_SETTING_XY[0] + 6, G.MORE_SETTING_XY[1] + 4), "More Setting", (252, 252, 252), 11)
    rows = [("CPU Frequency :", "200", "(MHz)", 0.42), ("CPU Voltage :", "1.3500", "(V)", 0.55),
            ("DRAM Voltage :", "1.650", "(V)", 0.30), ("NB Voltage :", "1.200", "(V)", 0.66)]
    for (name, value, unit, frac), y in zip(rows, G.MAIN_BAR_Y):
        _large_bar(win, r, G.MAIN_BAR_X, y, frac, name, value, unit)


def _tabs(win, r, selected):
    names = ["Advanced Mode", "CPU Ratio", "Pelorus"]
    for i, x in enumerate(G.TAB_XS):
        base = "tab01" if i == 0 else "tab02"
        C.over(win, r[f"{base}_{'up' if i == selected else 'down'}.png"], (x, G.TAB_Y))
        _label(win, (x + 73, G.TAB_Y + 16), names[i], P.CAPTION, 12, "mm")


def _with_shadow(face, shadow):
    out = Image.new("RGBA", shadow.size, (0, 0, 0, 0))
    out.alpha_composite(shadow)
    out.alpha_composite(face)
    return out


def mock_main(r, forms, size):
    bg = forms[f"TMainForm.{ {'small': 'SmallBk', 'middle': 'MiddleBk', 'large': 'LargeBk'}[size]}"]
    win = bg.copy()
    _main_common(win, r, size)
    if size == "large":
        _tabs(win, r, 1)
        C.over(win, forms["TMainForm.CoreBk"], G.PAGE_XY)
        for i in range(4):
            frac = [0.62, 0.62, 0.48, 0.80][i]
            _ratio_bar(win, r, G.PAGE_XY, 262 + 90 * i, 334, frac, i, [36, 36, 30, 44][i],
                       [3600, 3600, 3000, 4400][i], hover=(i == 3))
    elif size == "middle":
        _tabs(win, r, 0)
        C.over(win, r["cpu_chipset_icon.png"], (39, 295))
        _label(win, (71, 297), "CPU/Chip Voltage", P.GROUP_CAPTION, 11)
        items = [("vCore", "1.350", 0.5), ("vNB", "1.200", 0.3), ("VTT", "1.150", 0.6),
                 ("PLL", "1.800", 0.2), ("SB", "1.100", 0.8), ("VDDA", "2.500", 0.45)]
        for n, (name, value, frac) in enumerate(items):
            _small_bar(win, r, 39 + 172 + (n % 2) * 298, 295 + 38 + (n // 2) * 45, frac, name, value,
                       changed=(n == 2))
    shadow = {"small": "small_shadow002.png", "middle": "big_shadow002.png", "large": "big_shadow003.png"}[size]
    return _with_shadow(_key_out(win), r[shadow])


def _small_ratio(win, r, x, y, frac, core):
    bg = r["small_bar/small_bg01.png"]
    C.over(win, bg, (x, y))
    o = round(frac * 47)
    C.over(win, r["small_bar/light_down.png"], (x + 4, y + 56))
    C.over(win, r["small_bar/light_medium.png"].resize((G.SMALL_SEGMENT_W, max(1, o))), (x + 4, y + 56 - o))
    C.over(win, r["small_bar/light_top.png"], (x + 4, y + 56 - o - 3))
    num = r[f"Rome_number/{['I', 'II', 'III', 'IV', 'V', 'VI'][core]}.png"]
    C.over(win, num, (x + (bg.width - num.width) // 2, y + bg.height - 38))


def mock_turbo_page(r, forms):
    """The ratio page of a turbo CPU with the core-unlock switch, switched off."""
    win = forms["TMainForm.LargeBk"].copy()
    _main_common(win, r, "large")
    _tabs(win, r, 1)
    C.over(win, forms["TMainForm.CoreBk"], G.PAGE_XY)
    # On/off box at (231, 300), core count box at (280, 337).
    C.over(win, r["Kavrin/box_bg01.png"], (231 + 131, 300))
    C.over(win, r["Kavrin/no_n.png"], (231 + 132, 301))
    C.over(win, r["Kavrin/off_d.png"], (231 + 132 + G.ONOFF_BUTTON[0], 301))
    _label(win, (231 + 127, 303), "Kavrin:", P.CAPTION, 12, "ra")
    L, T = 280, 337
    C.over(win, r["big_left_n.png"], (L + 71, T))
    C.over(win, r["core_box_n.png"], (L + 92, T))
    C.over(win, r["big_right_n.png"], (L + 227, T))
    _label(win, (L + 67, T + 1), "CPU Core:", P.CAPTION, 12, "ra")
    _label(win, (L + 92 + 67, T + 8), "4 cores", P.VALUE, 11, "mm")
    x, y = 262, 372
    bg = r["bar_bg01.png"]
    C.over(win, bg, (x, y))
    o = round(0.7 * 131)
    C.over(win, r["light_down.png"], (x + 3, y + 146))
    C.over(win, r["light_medium.png"].resize((G.BAR_SEGMENT_W, o)), (x + 3, y + 146 - o))
    C.over(win, r["light_top.png"], (x + 3, y + 146 - o - 4))
    C.over(win, r["Rome_number/I.png"], (x + 25, y + 179))
    _digits(win, r, "Numbers", "40.5", x + 100, y + 42, 0)
    _digits(win, r, "Green", "5400", x + 188, y + 42, -4)
    C.over(win, r["Green/mhz.png"], (x + 188 + 76, y + 42 + 3))
    for j in range(1, 4):
        _small_ratio(win, r, 362 + 50 * (j - 1), 451 + 18, 0.7, j)
    return _with_shadow(_key_out(win), r["big_shadow003.png"])


def mock_profile(r, forms):
    win = forms["TProfileDialog.Background"].copy()
    C.over(win, forms["TProfileDialog.CloseButton.RaisedBmp"], G.PROFILE_CLOSE_XY)
    C.over(win, forms["TProfileDialog.Image1"], G.PROFILE_IMAGE1_XY)
    C.over(win, forms["TProfileDialog.Image2"], G.PROFILE_IMAGE2_XY)
    C.over(win, r["type_name.png"], G.TYPE_NAME_XY)
    C.over(win, r["names.png"], G.NAMES_XY)
    _label(win, (25, 14), "Save Profile", (255, 255, 255), 14)
    _label(win, (81, 64), "Name", (0x67, 0xDE, 0xFF), 12, "ra")
    _label(win, (106, 65), "Overnight stable", (204, 204, 204), 11)
    for i, s in enumerate(["Daily 4.2 GHz", "Overnight stable", "Quiet"]):
        if i == 1:
            C.rect(win, (102, 102 + 13 * i, 278, 115 + 13 * i), (0x80, 0x50, 0xC7))
        _label(win, (106, 102 + 13 * i), s, (204, 204, 204), 11)
    for (x, y), s, st in zip(G.PROFILE_BUTTONS, ["Save", "Delete", "Cancel"], ["o", "n", "n"]):
        C.over(win, r[f"small_button01_{st}.png"], (x, y))
        _label(win, (x + 37, y + 12), s, (155, 230, 253) if st == "o" else P.BUTTON_TEXT, 11, "mm")
    return _with_shadow(_key_out(win), r["save_profile_shadow01.png"])


def mock_ask(r, forms, danger):
    win = forms["TAskDialog.WarnDialogBk" if danger else "TAskDialog.Background"].copy()
    C.over(win, forms["TAskDialog.CloseButton.RaisedBmp"], G.ASK_CLOSE_XY)
    msg = ("Values above the safe limit can damage your system.",) if danger else \
          ("Apply the new settings now?",)
    _label(win, (32, 64), msg[0][:34], (204, 204, 204), 12)
    _label(win, (32, 80), msg[0][34:], (204, 204, 204), 12)
    for (x, y), s in zip(G.ASK_BUTTONS[:2], ["Yes", "No"]):
        C.over(win, r["small_button01_n.png"], (x, y))
        _label(win, (x + 37, y + 12), s, P.BUTTON_TEXT, 11, "mm")
    return _with_shadow(_key_out(win), r["shadow_01.png"])


def mock_monitor(r):
    top, down = r["res/big_bg/big_bg_top.png"], r["res/big_bg/big_bg_down.png"]
    img = Image.new("RGBA", (top.width, top.height + down.height))
    img.paste(top, (0, 0))
    img.paste(down, (0, top.height))
    return img


def build(resources, forms, icon, path):
    """resources: {relative path: image} of everything under Resource and
    res; forms: {"Form.Component": image}."""
    mocks = [("collapsed", mock_main(resources, forms, "small")),
             ("middle, voltage page", mock_main(resources, forms, "middle")),
             ("large, ratio page (core IV hovered)", mock_main(resources, forms, "large")),
             ("large, turbo ratio page", mock_turbo_page(resources, forms)),
             ("Save Profile", mock_profile(resources, forms)),
             ("ask", mock_ask(resources, forms, False)),
             ("ask, danger", mock_ask(resources, forms, True)),
             ("monitor", mock_monitor(resources)),
             ("tray icon", icon)]
    # Small pictures first, so that rows of like heights stay compact.
    tiles = sorted(resources.items(), key=lambda kv: (max(kv[1].size) > 100, kv[0]))
    tiles += [(f"forms/{name}.png", img) for name, img in sorted(forms.items())]

    width = 2000
    x, y, row_h, placed = 20, 40, 0, []
    for name, img in mocks:
        if x + img.width > width - 20:
            x, y, row_h = 20, y + row_h + 40, 0
        placed.append((name, img, x, y, img))
        x += img.width + 30
        row_h = max(row_h, img.height)
    y += row_h + 60
    x, row_h = 20, 0
    for name, img in tiles:
        shown = _for_sheet(img)
        label_w = C.text_size(f"{name}  {img.width}x{img.height}", 10, P.FONT_REGULAR)[0]
        tw = max(shown.width, label_w)
        if x + tw > width - 20:
            x, y, row_h = 20, y + row_h + 34, 0
        placed.append((name, img, x, y, shown))
        x += tw + 18
        row_h = max(row_h, shown.height)
    height = y + row_h + 40

    sheet = Image.new("RGBA", (width, height), SHEET_BG + (255,))
    _label(sheet, (20, 12), "Zendrix skins: assembled windows, then every picture (small ones at 2x)", LABEL, 14)
    for name, img, px, py, shown in placed:
        sheet.alpha_composite(_checker(shown.width, shown.height), (px, py))
        sheet.alpha_composite(shown, (px, py))
        _label(sheet, (px, py + shown.height + 3), f"{name}  {img.width}x{img.height}", LABEL, 10)
    sheet.convert("RGB").save(path)
