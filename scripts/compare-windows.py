#!/usr/bin/env python3
"""Compares a window's screenshot with a reference screenshot of the same face.

Usage: compare-windows.py <reference folder> <folder> [<reference name> <name>]
[<picture>]; each folder holds <picture> (screenshot.png unless named) and
its geometry ("x y width height", in the file of the picture's name ending
in .geometry, or geometry for screenshot.png). The layout must be the same
(window size and face); a different place is listed, as are the regions
whose pixels differ, and more than a few percent of the window differing
fails. The names (by default "64-bit" and "32-bit") label the two windows.
"""
import sys

from PIL import Image, ImageChops

CELL = 16            # regions are reported on a grid of this many pixels
TOLERANCE = 48       # a channel difference up to this is anti-aliasing
MAX_DIFFERING = 0.02  # share of the window's pixels allowed to differ


def load(folder, picture):
    geometry_file = "geometry" if picture == "screenshot.png" else picture.rsplit(".", 1)[0] + ".geometry"
    with open(f"{folder}/{geometry_file}") as f:
        geometry = tuple(int(v) for v in f.read().split())
    return geometry, Image.open(f"{folder}/{picture}").convert("RGB")


def differing_regions(mask):
    """Bounding boxes of the connected grid cells that hold differing pixels."""
    width, height = mask.size
    cells = set()
    pixels = mask.load()
    for y in range(height):
        for x in range(width):
            if pixels[x, y]:
                cells.add((x // CELL, y // CELL))
    regions = []
    while cells:
        todo = [cells.pop()]
        box = [todo[0][0], todo[0][1], todo[0][0], todo[0][1]]
        while todo:
            cx, cy = todo.pop()
            box = [min(box[0], cx), min(box[1], cy), max(box[2], cx), max(box[3], cy)]
            for n in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                if n in cells:
                    cells.remove(n)
                    todo.append(n)
        regions.append((box[0] * CELL, box[1] * CELL, min(width, (box[2] + 1) * CELL), min(height, (box[3] + 1) * CELL)))
    return sorted(regions, key=lambda r: (r[1], r[0]))


def main():
    reference_name, name = (sys.argv[3], sys.argv[4]) if len(sys.argv) > 4 else ("64-bit", "32-bit")
    picture = sys.argv[5] if len(sys.argv) > 5 else "screenshot.png"
    (reference_place, reference), (place, shot) = load(sys.argv[1], picture), load(sys.argv[2], picture)
    print(f"compare: {picture}: {reference_name} window {reference_place}, {name} window {place}")
    if reference_place[2:] != place[2:] or reference.size != shot.size:
        print("compare: FAILED: the windows differ in size")
        return 1
    if reference_place[:2] != place[:2]:
        print(f"compare: difference: placed at {place[:2]} instead of {reference_place[:2]} (the screens differ)")
    difference = ImageChops.difference(reference, shot).convert("L").point(lambda v: 255 if v > TOLERANCE else 0)
    count = sum(1 for v in difference.getdata() if v)
    share = count / (reference.size[0] * reference.size[1])
    regions = differing_regions(difference)
    print(f"compare: {count} pixels differ ({share:.2%}), in {len(regions)} regions")
    for left, top, right, bottom in regions[:20]:
        print(f"compare:   x {left}-{right}, y {top}-{bottom}")
    if share > MAX_DIFFERING:
        print("compare: FAILED: more than {:.0%} of the window differs".format(MAX_DIFFERING))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
