#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The anchor of kestrin-render: a plain Python script on Cairo that draws
the same picture from the same planet file and writes it as PNG.

    cairo_map.py --size WxH --factions TABLE INPUT OUTPUT

Black background; each planet a circle of radius 5 map units outlined one
pixel wide in its faction's colour, with its name below it in an 11-unit
sans-serif face on a black cell; the light-year circles and axes, the truce
line through the first "Morvath", and the legend in the top-left corner.
OUTPUT must not exist yet.
The map's full extent of 12500 units spans the shorter side. TABLE is what
`kestrin-bench --faction-table` prints. Nothing is cached or culled: every
item is handed to Cairo, which clips, as a first plain program would.
"""
import argparse
import math
import os
import re

import cairo

FULL_EXTENT = 12500
FONT = "Liberation Sans"
NUMBER = re.compile(rb"[+-]?\d*")


def colour(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) / 255 for i in (0, 2, 4))


def read_table(path):
    table = {"pen": {}, "code": {}, "legend": []}
    with open(path, encoding="utf-8") as f:
        for line in f:
            kind, name, rgb = line.rstrip("\n").split("\t")
            if kind == "legend":
                table["legend"].append((name, colour(rgb)))
            else:
                table[kind][name] = colour(rgb)
    return table


def value(token):
    digits = NUMBER.match(token).group()
    return int(digits) if digits.strip(b"+-") else 0


def read_planets(path):
    """Name words up to the first token that starts with a digit or "-",
    then x, y and the faction code, as the program reads its files."""
    planets = []
    with open(path, "rb") as f:
        for line in f:
            if line.startswith(b";"):
                continue
            tokens = line.split()
            i = 0
            while i < len(tokens) and not tokens[i][:1].isdigit() and not tokens[i].startswith(b"-"):
                i += 1
            if i + 2 >= len(tokens):
                break
            name = b" ".join(tokens[:i]).decode("latin-1")
            planets.append((name, 10 * value(tokens[i]), -10 * value(tokens[i + 1]), tokens[i + 2].decode("latin-1")))
    return planets


def text_in_cell(ctx, x, y, text, rgb):
    ascent, descent = ctx.font_extents()[:2]
    advance = ctx.text_extents(text).x_advance
    ctx.set_source_rgb(0, 0, 0)
    ctx.rectangle(x, y, advance, ascent + descent)
    ctx.fill()
    ctx.set_source_rgb(*rgb)
    ctx.move_to(x, y + ascent)
    ctx.show_text(text)


def draw_map(ctx, planets, table, width, height):
    scale = min(width, height) / FULL_EXTENT
    ctx.translate(width / 2, height / 2)
    ctx.select_font_face(FONT)
    ctx.set_font_size(11 * scale)
    unknown = table["pen"]["white"]
    for name, x, y, code in planets:
        rgb = table["code"].get(code, unknown)
        ctx.set_source_rgb(*rgb)
        ctx.new_path()
        ctx.arc(x * scale, y * scale, 5 * scale, 0, 2 * math.pi)
        ctx.set_line_width(1)
        ctx.stroke()
        text_in_cell(ctx, (x - 5) * scale, (y + 5) * scale, name, rgb)
    ctx.set_source_rgb(*table["pen"]["circles"])
    for radius in (2000, 4000, 6000):
        ctx.new_path()
        ctx.arc(0, 0, radius * scale, 0, 2 * math.pi)
        ctx.stroke()
    ctx.move_to(-6000 * scale, 0)
    ctx.line_to(6000 * scale, 0)
    ctx.move_to(0, -6000 * scale)
    ctx.line_to(0, 6000 * scale)
    ctx.stroke()
    truce = next((y for name, _, y, _ in planets if name == "Morvath"), 0)
    ctx.set_source_rgb(*table["pen"]["truce"])
    ctx.move_to(-6000 * scale, truce * scale)
    ctx.line_to(6000 * scale, truce * scale)
    ctx.stroke()
    ctx.identity_matrix()


def draw_legend(ctx, table):
    ctx.select_font_face("sans-serif")
    ctx.set_font_size(12)
    for row, (text, rgb) in enumerate(table["legend"]):
        text_in_cell(ctx, 0, 14 * row, text, rgb)


def write_png(surface, path):
    """Writes the picture to a new file; a file already at path is left as
    it was, and one that could not be written whole is removed."""
    f = open(path, "xb")
    try:
        surface.write_to_png(f)
        f.close()
    except BaseException:
        f.close()
        os.remove(path)
        raise


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--size", default="1920x1080")
    parser.add_argument("--factions", required=True)
    parser.add_argument("input")
    parser.add_argument("output")
    args = parser.parse_args()
    width, height = (int(v) for v in args.size.split("x"))
    table = read_table(args.factions)
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, width, height)
    ctx = cairo.Context(surface)
    ctx.set_source_rgb(0, 0, 0)
    ctx.paint()
    draw_map(ctx, read_planets(args.input), table, width, height)
    draw_legend(ctx, table)
    try:
        write_png(surface, args.output)
    except OSError as e:
        raise SystemExit("cairo_map.py: cannot write %s: %s" % (args.output, e.strerror))


if __name__ == "__main__":
    main()
