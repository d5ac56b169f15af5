#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints the toolbar's pixel strip (res/ToolBar.cpp kCells) drawn from the
SVG pictures in res/icons/toolbar/, for pasting after an SVG changes.

    scripts/strip-from-svg.py BUILD/bin/kestrin-svg2png

Each picture is drawn at 16 x 15 without smoothing; a pixel at least half covered takes the
nearest colour of the palette below, the rest stays clear ('.')."""

import os
import re
import subprocess
import sys
import tempfile

BUTTONS = ["open", "zoom-in", "zoom-out", "zoom-extents", "center-on", "print", "about"]
PALETTE = {
    "k": (0x20, 0x24, 0x2C), "w": (0xFF, 0xFF, 0xFF), "l": (0xE6, 0xF2, 0xFF),
    "o": (0xD9, 0x9A, 0x1E), "y": (0xFF, 0xD7, 0x5E), "b": (0x24, 0x58, 0xC6),
    "n": (0x16, 0x22, 0x4E), "r": (0xE0, 0x26, 0x2B), "c": (0x32, 0xD4, 0xE6),
    "s": (0xC4, 0xC8, 0xD0), "g": (0x85, 0x8B, 0x98), "e": (0x2F, 0xBF, 0x3A),
    "u": (0xFF, 0xD6, 0x0A),
}
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def pixels(png):
    text = subprocess.run(["convert", png, "txt:-"], check=True, capture_output=True, text=True).stdout
    grid = {}
    for line in text.splitlines()[1:]:
        m = re.match(r"(\d+),(\d+): \((\d+),(\d+),(\d+),(\d+)\)", line)
        if m:
            x, y, r, g, b, a = (int(v) for v in m.groups())
            grid[(x, y)] = (r, g, b, a)
    return grid


def letter(r, g, b, a):
    if a < 128:
        return "."
    return min(PALETTE, key=lambda k: sum((p - q) ** 2 for p, q in zip(PALETTE[k], (r, g, b))))


def main():
    tool = sys.argv[1]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    with tempfile.TemporaryDirectory() as tmp:
        for name in BUTTONS:
            png = os.path.join(tmp, name + ".png")
            svg = os.path.join(ROOT, "res", "icons", "toolbar", name + ".svg")
            subprocess.run([tool, "--sharp", svg, "16x15", png], check=True, env=env)
            grid = pixels(png)
            rows = ["".join(letter(*grid[(x, y)]) for x in range(16)) for y in range(15)]
            print("    // " + name)
            print("    {" + ", ".join('"%s"' % row for row in rows) + "},")


if __name__ == "__main__":
    main()
