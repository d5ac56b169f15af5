#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes samples/kestrin.dat: an invented map of 360 planets.

Names are built from invented syllables; a fixed seed keeps the file stable.
Coordinates are written as the whole file units the viewer reads, and every
code outside the faction table as "S", which draws white like any of them:
so kestrin-render --check finds nothing to report in the sample.
"""
import math
import random

CODES = ["VH", "QT", "LMR", "ZA", "BND", "OR", "KOR", "E", "KE", "UL", "KUL",
         "TY", "KTY", "HSN", "IX", "KIX", "DM", "KDM", "GW", "RPF", "NJ", "F"]
OUTSIDE = ["S", "X", "ind"]
SYLLABLES = ["ka", "vor", "el", "tha", "rin", "mos", "zed", "qua", "lin", "dar",
             "ost", "fen", "bra", "ny", "sel", "tor", "ish", "gal", "pry", "um"]
SUFFIXES = ["Prime", "Reach", "Station", "Minor", "Gate", "Hollow", "Deep"]


def word(rng):
    w = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 3)))
    return w.capitalize()


def name(rng):
    n = rng.choice([1, 1, 1, 2, 2, 3])
    words = [word(rng) for _ in range(n)]
    if n == 3:
        words[2] = rng.choice(SUFFIXES)
    return " ".join(words)


def whole(value):
    """The whole file unit the viewer reads from the value with one decimal."""
    return int(float("%.1f" % value))


def written(code):
    """Codes outside the table draw white, as "S" does."""
    return code if code in CODES else "S"


def main():
    rng = random.Random(20261207)
    lines = ["; Kestrin sample map: an invented frontier of 360 worlds.",
             "; name words, x, y, faction code; a leading ';' marks a comment."]
    used = set()
    planets = []
    while len(planets) < 359:
        n = name(rng)
        if n in used or n == "Morvath":
            continue
        used.add(n)
        angle = rng.uniform(0, 2 * math.pi)
        r = 600 * math.sqrt(rng.random())
        x, y = r * math.cos(angle), r * math.sin(angle)
        # Factions hold regions: the code follows the angle, with some mixing.
        idx = int((angle / (2 * math.pi)) * len(CODES)) % len(CODES)
        if rng.random() < 0.15:
            code = rng.choice(CODES + OUTSIDE)
        else:
            code = CODES[idx]
        planets.append((n, x, y, code))
    for i, code in enumerate(CODES + OUTSIDE):
        n, x, y, _ = planets[i]
        planets[i] = (n, x, y, code)
    planets.insert(180, ("Morvath", 42.5, 118.0, "NJ"))
    for i, (n, x, y, code) in enumerate(planets):
        if i % 60 == 0:
            lines.append("; sector %d" % (i // 60 + 1))
        lines.append("%s %d %d %s" % (n, whole(x), whole(y), written(code)))
    with open("samples/kestrin.dat", "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
