#!/usr/bin/python3
"""Checks the program folder's pictures and language files.

    check_assets.py --source <project root> --dist <program folder>

- every picture the programs load by name (skins.txt, the digit families)
  exists, decodes and has an alpha channel;
- every picture name and every text key in the programs' sources resolves,
  so the check keeps up as code arrives;
- the pictures fit the places the windows put them (the buttons lie on plain
  face, never on the colour key; the parts blended once look the same under
  every background they are later shown on).
"""

import argparse
import configparser
import os
import re
import sys
import tempfile
import unittest

from PIL import Image, ImageChops

HERE = os.path.dirname(os.path.abspath(__file__))
ARGS = None

# The folders whose sources the deliverables are built from.
SOURCE_FOLDERS = ["app", "profiledialog", "KyPackage", "vessa", "turboInfo_Intel", "tuning", "ocapi"]
SOURCE_EXTENSIONS = (".cpp", ".h", ".hpp", ".c", ".inl")

# Folder, entries 00..n-1, with the two decimal points, with the unit picture.
DIGIT_FAMILIES = [
    ("Numbers", 20, True, False),
    ("Middle_Numbers", 20, True, False),
    ("Small_Numbers", 10, False, True),
    ("Green", 10, False, True),
]

MISS_VALUE = "Error 737"


def read_list(name):
    with open(os.path.join(HERE, name), encoding="ascii") as f:
        return [ln.strip() for ln in f if ln.strip() and not ln.startswith("#")]


def dist_path(rel):
    return os.path.join(ARGS.dist, *rel.replace("\\", "/").split("/"))


def load(rel):
    with Image.open(dist_path(rel)) as img:
        img.load()
        return img.copy()


def expected_pictures():
    names = read_list("skins.txt")
    for folder, count, points, unit in DIGIT_FAMILIES:
        names += [f"Resource\\{folder}\\{i:02d}.png" for i in range(count)]
        if points:
            names += [f"Resource\\{folder}\\Point1.png", f"Resource\\{folder}\\Point2.png"]
    return names


# ---------------------------------------------------------------- sources

_LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
_TRANSLATE = re.compile(r'\bTranslate\s*\(\s*"((?:[^"\\\n]|\\.)*)"')


def _unescape(s):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), s)


def source_files(root):
    for folder in SOURCE_FOLDERS:
        base = os.path.join(root, folder)
        for dirpath, _, files in os.walk(base):
            for name in files:
                if name.endswith(SOURCE_EXTENSIONS):
                    yield os.path.join(dirpath, name)


def scan_sources(root):
    """(picture names, text keys) that the sources spell out, with where."""
    pictures, keys = {}, {}
    for path in source_files(root):
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        where = os.path.relpath(path, root)
        for m in _LITERAL.finditer(text):
            s = _unescape(m.group(1))
            low = s.lower()
            if not (low.endswith(".png") or low.endswith(".ico")):
                continue
            base = s.replace("/", "\\").split("\\")[-1]
            # Formats ("%02d.png") and suffixes ("_n.png") are pieces of names.
            if "%" in s or base.startswith(("_", ".")):
                continue
            pictures.setdefault(s, where)
        for m in _TRANSLATE.finditer(text):
            keys.setdefault(_unescape(m.group(1)), where)
    return pictures, keys


def dist_files(dist):
    out = []
    for dirpath, _, files in os.walk(dist):
        for name in files:
            rel = os.path.relpath(os.path.join(dirpath, name), dist)
            out.append(rel.replace(os.sep, "\\").lower())
    return out


def resolves(name, files):
    """A name found in the program folder as a path ending, ignoring case
    (the programs join it to a folder; Windows file names ignore case)."""
    tail = name.replace("/", "\\").lower().lstrip("\\")
    return any(f == tail or f.endswith("\\" + tail) for f in files)


def read_ini(path):
    """The sections of an ini file as the system's profile functions read it:
    keys ignore case, values lose surrounding blanks and one pair of quotes."""
    cp = configparser.RawConfigParser(delimiters=("=",), comment_prefixes=(";",), strict=True,
                                      interpolation=None)
    cp.optionxform = str.lower
    with open(path, encoding="ascii", newline="") as f:
        data = f.read()
    cp.read_string(data)
    out = {}
    for section in cp.sections():
        values = {}
        for k, v in cp.items(section):
            v = v.strip()
            if len(v) >= 2 and v[0] == v[-1] and v[0] in "\"'":
                v = v[1:-1]
            values[k] = v
        out[section.lower()] = values
    return out, data


# ---------------------------------------------------------------- tests

class Pictures(unittest.TestCase):
    def test_every_named_picture_exists_and_decodes(self):
        missing, broken = [], []
        for rel in expected_pictures():
            if not os.path.isfile(dist_path(rel)):
                missing.append(rel)
                continue
            try:
                img = load(rel)
            except Exception as e:  # a picture that does not decode
                broken.append(f"{rel}: {e}")
                continue
            if rel.lower().endswith(".png") and img.mode != "RGBA":
                broken.append(f"{rel}: {img.mode}, not RGBA")
            if min(img.size) == 0:
                broken.append(f"{rel}: empty")
        self.assertEqual(missing, [], "missing pictures")
        self.assertEqual(broken, [], "pictures that do not decode as 32-bit")

    def test_tray_icon_has_small_and_large_images(self):
        with Image.open(dist_path("Resource\\Zendrix02.ico")) as ico:
            self.assertTrue({(16, 16), (32, 32)} <= set(ico.info["sizes"]))
            ico.size = (16, 16)
            ico.load()
            self.assertEqual(ico.convert("RGBA").getpixel((0, 0))[3], 0, "corner of the icon is see-through")

    def test_digit_families_have_one_size_each(self):
        # A read-out places every position by the width of digit 0.
        for folder, count, points, _ in DIGIT_FAMILIES:
            sizes = {load(f"Resource\\{folder}\\{i:02d}.png").size for i in range(count)}
            self.assertEqual(len(sizes), 1, f"{folder}: {sizes}")
            if points:
                h = load(f"Resource\\{folder}\\Point1.png").height
                self.assertEqual(h, sizes.pop()[1], f"{folder}: point height")

    def test_contact_sheet_was_written(self):
        sheet = os.path.join(ARGS.dist, "..", "dist-contact-sheet.png")
        self.assertTrue(os.path.isfile(sheet))


class SourceReferences(unittest.TestCase):
    def test_scanner_reads_literals_as_the_compiler_does(self):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "app"))
            with open(os.path.join(root, "app", "x.cpp"), "w") as f:
                f.write('auto a = Translate("Save Profile");\n'
                        'auto b = lang.Translate ( "AskContinue" );\n'
                        'const char* c = "Kavrin\\\\no_n.png";\n'
                        'const char* d = "%02d.png"; const char* e = "_un.png";\n'
                        'const char* f = "big_bg_top.PNG";\n')
            pictures, keys = scan_sources(root)
        self.assertEqual(set(keys), {"Save Profile", "AskContinue"})
        self.assertEqual(set(pictures), {"Kavrin\\no_n.png", "big_bg_top.PNG"})
        files = ["resource\\kavrin\\no_n.png", "res\\big_bg\\big_bg_top.png"]
        self.assertTrue(all(resolves(p, files) for p in pictures))
        self.assertFalse(resolves("o_n.png", files), "a name matches whole path parts only")

    def test_every_picture_named_in_the_sources_exists_and_decodes(self):
        pictures, _ = scan_sources(ARGS.source)
        files = dist_files(ARGS.dist)
        missing = [f"{name} ({where})" for name, where in sorted(pictures.items()) if not resolves(name, files)]
        self.assertEqual(missing, [], "pictures the sources load that the program folder lacks")

    def test_every_key_looked_up_in_the_sources_has_an_english_text(self):
        _, keys = scan_sources(ARGS.source)
        english, _ = read_ini(dist_path("LangFiles\\English\\English.ini"))
        texts = english.get("translations", {})
        missing = [f"{k} ({w})" for k, w in sorted(keys.items()) if k.lower() not in texts]
        self.assertEqual(missing, [])


class LanguageFiles(unittest.TestCase):
    def test_index_names_english_for_english_systems(self):
        index, _ = read_ini(dist_path("LangFiles\\KyMultiLang.ini"))
        self.assertEqual(index["languages"].get("0409"), "English")
        self.assertEqual(index["languages"].get("09"), "English")

    def test_english_has_a_text_for_every_key(self):
        english, data = read_ini(dist_path("LangFiles\\English\\English.ini"))
        texts = english["translations"]
        for key in read_list("text_keys.txt"):
            with self.subTest(key=key):
                self.assertIn(key.lower(), texts)
                self.assertTrue(texts[key.lower()].strip())
                self.assertNotEqual(texts[key.lower()], MISS_VALUE)
        self.assertNotIn("\n", data.replace("\r\n", ""), "Windows line ends throughout")

    def test_continuations_read_as_one_sentence(self):
        # The program joins these texts without a separator.
        texts = read_ini(dist_path("LangFiles\\English\\English.ini"))[0]["translations"]
        for first, second in (("applywarn", "oxlenwarn"), ("dangerwarn", "askcontinue")):
            joined = texts[first] + texts[second]
            self.assertRegex(joined, r"[.?!] \S", f"{first} + {second}: {joined!r}")


class Placement(unittest.TestCase):
    """Skins against the pictures they are blended over."""

    @classmethod
    def setUpClass(cls):
        f = "Resource\\forms\\"
        cls.small = load(f + "TMainForm.SmallBk.png").convert("RGB")
        cls.middle = load(f + "TMainForm.MiddleBk.png").convert("RGB")
        cls.large = load(f + "TMainForm.LargeBk.png").convert("RGB")
        cls.core = load(f + "TMainForm.CoreBk.png").convert("RGB")
        cls.gpu = load(f + "TMainForm.GpuBk.png").convert("RGB")
        cls.profile = load(f + "TProfileDialog.Background.png").convert("RGB")
        cls.ask = load(f + "TAskDialog.Background.png").convert("RGB")
        cls.warn = load(f + "TAskDialog.WarnDialogBk.png").convert("RGB")
        cls.key = cls.small.getpixel((0, cls.small.height - 1))

    def size(self, name):
        return load("Resource\\" + name).size

    def assert_on_face(self, bg, name, xy, what):
        """The skin at xy lies inside bg, on no pixel of the colour key."""
        w, h = self.size(name)
        x, y = xy
        self.assertTrue(x >= 0 and y >= 0 and x + w <= bg.width and y + h <= bg.height,
                        f"{what}: {name} at {xy} leaves the {bg.size} picture")
        region = bg.crop((x, y, x + w, y + h))
        keyed = sum(1 for p in region.getdata() if p == self.key)
        self.assertEqual(keyed, 0, f"{what}: {name} at {xy} lies over {keyed} see-through pixels")

    def test_main_backgrounds_share_one_colour_key(self):
        for bg in (self.middle, self.large):
            self.assertEqual(bg.getpixel((0, bg.height - 1)), self.key)
        for bg in (self.core, self.gpu):
            self.assertNotIn(self.key, set(bg.getdata()), "page pictures are opaque face")

    def test_controls_blended_once_look_alike_on_every_size(self):
        # Close, Minimize, Save Profile, the profile box and More Setting are
        # blended over the collapsed picture and stay when the window grows.
        rows = 207 + self.size("button01_n.png")[1]
        box = (12, 0, self.small.width - 12, rows)  # inside the rims, where controls sit
        for bg in (self.middle, self.large):
            self.assertIsNone(ImageChops.difference(self.small.crop(box), bg.crop(box)).getbbox())

    def test_main_window_controls_lie_on_face(self):
        cases = [("colse_n.png", (595, 10)), ("small_n.png", (569, 10)),
                 ("button01_n.png", (305, 55)), ("more_set_down_n.png", (27, 207)),
                 ("more_set2_down_n.png", (27, 207)), ("combo_box_n.png", (93, 56))]
        cw, ch = self.size("combo_box_n.png")
        cases.append(("combo_button_n.png", (93 + 172, 56 + 1)))
        for n in range(4):
            y = 94 + 28 * n
            cases += [("color_bar_dark01.png", (296, y)), ("big_left_n.png", (296 - 22, y + 1)),
                      ("big_right_n.png", (296 + 312, y + 1))]
        for bg, y in ((self.small, 207), (self.middle, 449), (self.large, 603)):
            for name, xy in cases + [("button01_n.png", (374, y)), ("button01_n.png", (508, y))]:
                self.assert_on_face(bg, name, xy, f"{bg.size}")
        for bg in (self.middle, self.large):
            for x in (27, 176, 325):
                self.assert_on_face(bg, "tab02_up.png", (x, 245), "tab")

    def test_main_bar_travel_matches_its_track(self):
        w, _ = self.size("color_bar_dark01.png")
        dot_w, _ = self.size("dot_n.png")
        # The dot runs from L - 3 to L - 3 + 300 and must stay on the track.
        self.assertGreaterEqual(w, 300 - 3 + dot_w)
        self.assertLess(296 + w, 296 + 312, "the track ends before the right button")

    def test_voltage_page_bars_fit_the_page(self):
        sw, _ = self.size("small_slider01.png")
        rw, _ = self.size("right_n.png")
        for bg in (self.middle, self.large):
            for n in range(2):
                left = 39 + 172 + n * 298
                self.assert_on_face(bg, "right_n.png", (left + sw - 3, 295 + 38), "voltage bar")
                self.assert_on_face(bg, "left_n.png", (left - 18, 295 + 38), "voltage bar")

    def test_page_pictures_fit_their_window(self):
        px, py = 29, 279
        self.assertLessEqual(px + self.core.width, self.large.width)
        self.assertLessEqual(py + self.core.height, 603, "ratio page above Apply")
        self.assertLessEqual(py + self.gpu.height, 449, "graphics page above Apply")
        # CoreBk is shown over the large picture: it must not show a seam.
        under = self.large.crop((px, py, px + self.core.width, py + self.core.height))
        diff = ImageChops.difference(under, self.core).convert("L")
        changed = sum(1 for v in diff.getdata() if v > 24)
        self.assertLess(changed, self.core.width * self.core.height // 50)

    def test_ratio_controls_fit_the_ratio_page(self):
        bw, bh = self.size("bar_bg01.png")
        sw, sh = self.size("small_bar\\small_bg01.png")
        pw, ph = self.size("AMD\\preview\\box_n.png")
        cases = [((262 + 90 * i, 334), (bw, bh)) for i in range(4)]
        cases += [((362 + 50 * (i - 1), 431), (sw, sh)) for i in range(1, 6)]
        cases += [((362 + 50 * (j - 1), 451 + 18), (sw, sh)) for j in range(1, 6)]
        cases += [((516, 421), (pw, ph)), ((516, 503), (pw, ph))]
        cases += [((262, 354 + 18), (bw, bh))]
        for (x, y), (w, h) in cases:
            x0, y0 = x - 29, y - 279
            self.assertTrue(x0 >= 0 and y0 >= 0 and x0 + w <= self.core.width and y0 + h <= self.core.height,
                            f"{w}x{h} at {(x, y)} leaves CoreBk")
        # The fill rises from base line 146 through 131 pixels inside the background.
        self.assertGreater(bh, 146)
        self.assertGreaterEqual(146 - 131 - self.size("light_top.png")[1], 0)
        self.assertGreater(sh, 56)

    def test_dialog_buttons_lie_on_the_same_face_in_every_dialog(self):
        # All six dialog buttons are blended over the Save Profile face.
        bw, bh = self.size("small_button01_n.png")
        for x, y in ((46, 134), (160, 134), (103, 134)):
            box = (x, y, x + bw, y + bh)
            for bg in (self.ask, self.warn):
                self.assertIsNone(ImageChops.difference(self.profile.crop(box), bg.crop(box)).getbbox(),
                                  f"ask button at {(x, y)}")
            self.assert_on_face(self.ask, "small_button01_n.png", (x, y), "ask dialog")
        for y in (61, 107, 153):
            self.assert_on_face(self.profile, "small_button01_n.png", (309, y), "profile dialog")
        self.assertEqual(self.ask.size, (281, 203))
        self.assertEqual(self.warn.size, (281, 203))
        self.assertEqual(self.profile.size, (465, 283))
        for bg in (self.profile, self.ask, self.warn):
            self.assertEqual(bg.getpixel((0, bg.height - 1)), self.key)

    def test_dialog_close_buttons_use_their_transparent_colour(self):
        for form in ("TProfileDialog", "TAskDialog"):
            for prop in ("RaisedBmp", "SunkenBmp", "FocusedBmp"):
                img = load(f"Resource\\forms\\{form}.CloseButton.{prop}.png").convert("RGBA")
                self.assertEqual(img.size, (45, 20))
                self.assertEqual(img.getpixel((0, 0)), (0x1F, 0x1F, 0x1F, 255), f"{form} {prop}")
                self.assertEqual(min(a for *_, a in img.getdata()), 255, "stored opaque")

    def test_shadows_are_soft_black_and_cover_their_window(self):
        cases = [("small_shadow002.png", self.small.size), ("big_shadow002.png", self.middle.size),
                 ("big_shadow003.png", self.large.size), ("save_profile_shadow01.png", self.profile.size),
                 ("shadow_01.png", self.ask.size)]
        for name, window in cases:
            img = load("Resource\\" + name)
            self.assertGreaterEqual(img.width, window[0])
            self.assertGreaterEqual(img.height, window[1])
            alphas = set(img.getchannel("A").getdata())
            self.assertGreater(len(alphas), 16, f"{name}: soft edge")
            self.assertEqual(img.getpixel((0, 0))[3], 0, f"{name}: no shadow above the window")
            rgb = {p[:3] for p in img.getdata() if p[3]}
            self.assertEqual(rgb, {(0, 0, 0)}, f"{name}: black")


def main():
    global ARGS
    ap = argparse.ArgumentParser()
    ap.add_argument("--source", required=True)
    ap.add_argument("--dist", required=True)
    ARGS, rest = ap.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
