"""Where things sit in the windows, as the program places them.

The backgrounds are drawn around these places (a panel under the main bars,
plain face under the buttons), and the contact sheet uses them to show the
controls assembled on their windows.
"""

# Main window: one width, three heights (collapsed, middle, large).
MAIN_W = 636
SMALL_H = 245
MIDDLE_H = 487
LARGE_H = 641
MAIN_CHAMFER = 10

# Rows of the collapsed window that every size shares pixel for pixel: the
# buttons placed there are blended once, over the collapsed picture.
SHARED_ROWS = 237

TITLE_H = 44
BARS_PANEL = (12, 88, 624, 198)
MAIN_BAR_X = 296
MAIN_BAR_Y = [94, 122, 150, 178]

CLOSE_XY = (595, 10)
MINIMIZE_XY = (569, 10)
SAVE_PROFILE_XY = (305, 55)
APPLY_X, UNDO_X = 374, 508
BUTTON_ROW_Y = {"small": 207, "middle": 449, "large": 603}
MORE_SETTING_XY = (27, 207)
COMBO_XY = (93, 56)

# Pages: tabs above, page panel below, page pictures at (29, 279).
TAB_Y = 245
TAB_XS = [27, 176, 325]
TAB_STRIP = (14, 239, 622, 279)
PAGE_PANEL = {"middle": (14, 277, 622, 446), "large": (14, 277, 622, 595)}
PAGE_XY = (29, 279)
CORE_BK_SIZE = (578, 316)
GPU_BK_SIZE = (578, 160)

# Sizes of the skins that the coordinates above depend on.
BUTTON01 = (110, 26)
CLOSE_SIZE = (20, 18)
MORE_SET = (110, 22)
MORE_SET2 = (160, 22)
TAB = (146, 32)
COMBO_BOX = (194, 22)
COMBO_BUTTON = (20, 20)
COMBO_DROP = (194, 82)

LARGE_TRACK = (308, 14)       # 300 pixels of travel plus the dot's width
LARGE_STEP = (18, 14)
LARGE_DOT = (11, 26)
SMALL_TRACK = (96, 18)        # travel = width - 25
SMALL_STEP = (14, 18)
SMALL_DOT = (12, 14)

BAR_BG = (50, 170)            # ratio bar: fill column at x 3, base line 146
BAR_SEGMENT_W = 18
SMALL_BAR_BG = (40, 118)      # small ratio bar: fill at x 4, base line 56
SMALL_SEGMENT_W = 12
CORE_BOX = (134, 16)
ONOFF_BOX = (84, 20)
ONOFF_BUTTON = (41, 18)
KAVRIN_BIG_BAR = (58, 192)
KAVRIN_SMALL_BAR = (46, 90)
AMD_PREVIEW = (88, 68)
AMD_SLIDER = (14, 38)

LINK_BUTTON = (22, 40)
GROUP_ICON = (26, 20)
LINE01 = (560, 4)

# Dialog library.
PROFILE_DIALOG = (465, 283)
ASK_DIALOG = (281, 203)
DIALOG_CHAMFER = 8
SMALL_BUTTON01 = (75, 24)
DIALOG_CLOSE = (45, 20)
PROFILE_CLOSE_XY = (376, 10)
ASK_CLOSE_XY = (217, 8)
PROFILE_BUTTONS = [(309, 61), (309, 107), (309, 153)]
ASK_BUTTONS = [(46, 134), (160, 134), (103, 134)]
TYPE_NAME_XY, TYPE_NAME = (98, 62), (184, 22)
NAMES_XY, NAMES = (98, 98), (184, 91)
# Pictures the Save Profile form carries; the form places them here.
PROFILE_IMAGE1_XY, PROFILE_IMAGE1 = (24, 104), (56, 56)
PROFILE_IMAGE2_XY, PROFILE_IMAGE2 = (13, 244), (439, 14)
WARN_ICON_XY = (18, 22)

# Turbo-info window: two stacked halves.
TURBO_W = 131
TURBO_TOP_H = 24
TURBO_DOWN_H = 122
