#!/usr/bin/python3
"""Writes the program folder's pictures and language files.

    generate.py --dist build/dist [--sheet build/dist-contact-sheet.png]

Resource/            skins, digit families, shadows, tray icon
Resource/forms/      pictures the forms carry, as <FormClass>.<Component>.png
res/big_bg/          the core-unlock monitor's background halves
LangFiles/           the language index and the English texts (from lang/)
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from zxart import controls, dialogs, digits, ratio, sheet, turbo, window  # noqa: E402


def resources():
    """{path relative to the program folder, '/'-separated: image}."""
    out = {}
    small, middle, large = window.main_backgrounds()
    core, gpu = window.page_pictures(large, middle)
    body, bottom = window.combo_drop_pieces()
    forms = {"TMainForm.SmallBk": small, "TMainForm.MiddleBk": middle, "TMainForm.LargeBk": large,
             "TMainForm.CoreBk": core, "TMainForm.GpuBk": gpu,
             "TMainForm.ComboBoxBody": body, "TMainForm.ComboBoxBottom": bottom}
    skins = {}
    skins.update(window.main_shadows())
    skins.update(controls.all_controls())
    skins.update(digits.all_digits())
    skins.update(ratio.all_ratio())
    for name, img in dialogs.all_dialogs().items():
        if name.startswith("forms/"):
            forms[name[len("forms/"):-len(".png")]] = img
        else:
            skins[name] = img
    for name, img in skins.items():
        out[f"Resource/{name}"] = img
    for name, img in forms.items():
        out[f"Resource/forms/{name}.png"] = img
    out.update(turbo.all_turbo())
    return out, forms, skins


def write_language_files(dist):
    """Copies lang/ to LangFiles/ with the CR LF line ends of Windows ini files."""
    src_root = os.path.join(HERE, "lang")
    for folder, _, files in os.walk(src_root):
        for name in files:
            if not name.lower().endswith(".ini"):
                continue
            src = os.path.join(folder, name)
            rel = os.path.relpath(src, src_root)
            dst = os.path.join(dist, "LangFiles", rel)
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(src, "r", encoding="ascii") as f:
                lines = f.read().splitlines()
            with open(dst, "wb") as f:
                f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dist", required=True)
    ap.add_argument("--sheet")
    args = ap.parse_args()

    files, forms, skins = resources()
    for rel, img in files.items():
        path = os.path.join(args.dist, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        img.save(path, optimize=True)
    icon_path = os.path.join(args.dist, "Resource", "Zendrix02.ico")
    with open(icon_path, "wb") as f:
        f.write(turbo.ico_bytes())
    write_language_files(args.dist)

    if args.sheet:
        everything = dict(skins)
        everything.update({k: v for k, v in files.items() if k.startswith("res/")})
        sheet.build(everything, forms, turbo.icon_preview(), args.sheet)
    print(f"assets: {len(files) + 1} pictures written to {args.dist}")


if __name__ == "__main__":
    main()
