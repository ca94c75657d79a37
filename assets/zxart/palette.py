"""Colours and fonts of the one look every skin shares: a dark graphite face,
thin machined rims, and cyan read-outs.

The read-out colours are the ones the program itself paints its texts with,
so a lit digit and a label beside it match exactly.
"""

# The see-through colour of the main window and of the dialogs: the bottom-left
# pixel of every background picture.  Magenta never occurs in the artwork.
COLOUR_KEY = (255, 0, 255)

# The transparent colour of the dialogs' corner close buttons.
CLOSE_BUTTON_KEY = (0x1F, 0x1F, 0x1F)

# Texts the program paints (kept equal to the values the code uses).
VALUE = (40, 254, 216)          # a value as the BIOS holds it
CHANGED = (255, 216, 25)        # a value that differs from the BIOS
DANGER = (255, 0, 0)            # above the item's danger limit
CAPTION = (104, 221, 255)       # captions of bars and boxes
FILL = (45, 247, 251)           # filled part of the small tracks
FILL_DISABLED = (22, 123, 125)
BUTTON_TEXT = (204, 204, 204)
GROUP_CAPTION = (190, 255, 27)

# Face of the windows.
FACE_TOP = (34, 38, 45)
FACE_BOTTOM = (21, 24, 29)
TITLE_TOP = (44, 49, 57)
TITLE_BOTTOM = (27, 30, 36)
RIM_OUTER = (6, 7, 9)
RIM = (70, 79, 90)
RIM_INNER = (44, 50, 58)

# Recessed panels (the bar area, the pages, the list frames).
INSET = (13, 15, 18)
INSET_EDGE = (48, 56, 65)
INSET_SHADOW = (5, 6, 8)
PAGE = (17, 19, 23)
TAB_STRIP = (24, 27, 32)
GRID = (26, 30, 36)

# Edit and list background of the Save Profile dialog (0x28241C as RGB).
EDIT_BG = (0x1C, 0x24, 0x28)

# Metal of buttons and knobs.
METAL_TOP = (78, 86, 97)
METAL_BOTTOM = (42, 47, 54)
METAL_EDGE = (14, 16, 19)
METAL_HI = (120, 131, 145)
DISABLED_GREY = (90, 94, 100)

GLOW = (40, 254, 216)
AMBER = (255, 168, 40)

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_REGULAR = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
FONT_MONO_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def with_alpha(rgb, alpha):
    return (rgb[0], rgb[1], rgb[2], int(alpha))


def scale(rgb, f):
    return tuple(max(0, min(255, int(round(c * f)))) for c in rgb)
