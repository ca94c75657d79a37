#!/usr/bin/env python3
"""Compares the 32-bit program's main window with the 64-bit build's.

Usage: compare-windows.py <64-bit folder> <32-bit folder>; each holds
screenshot.png and geometry ("x y width height"). The layout must be the
same (window size and face); a different place is listed, as are the
regions whose pixels differ, and more than a few percent of the window
differing fails.
"""
import sys

from PIL import Image, ImageChops

CELL = 16            # regions are reported on a grid of this many pixels
TOLERANCE = 48       # a channel difference up to this is anti-aliasing
MAX_DIFFERING = 0.02  # share of the window's pixels allowed to differ


def load(folder):
    with open(f"{folder}/geometry") as f:
        geometry = tuple(int(v) for v in f.read().split())
    return geometry, Image.open(f"{folder}/screenshot.png").convert("RGB")


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
    (g64, wide), (g32, narrow) = load(sys.argv[1]), load(sys.argv[2])
    print(f"compare: 64-bit window {g64}, 32-bit window {g32}")
    if g64[2:] != g32[2:] or wide.size != narrow.size:
        print("compare: FAILED: the windows differ in size")
        return 1
    if g64[:2] != g32[:2]:
        print(f"compare: difference: placed at {g32[:2]} instead of {g64[:2]} (the screens differ)")
    difference = ImageChops.difference(wide, narrow).convert("L").point(lambda v: 255 if v > TOLERANCE else 0)
    count = sum(1 for v in difference.getdata() if v)
    share = count / (wide.size[0] * wide.size[1])
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
