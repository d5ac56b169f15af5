// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: where the pixels of a large glyph (one the toolkit
// fills as an outline) may lie, guessed from its outline box in the font:
// the toolkit's own outline at the device's size may differ from it by a
// pixel, so the guess reaches kInkMargin pixels past the box on each side,
// for any place of the glyph's origin within a pixel. Cheap, and sure to
// hold every pixel; qt/GlyphExtents finds the exact ones within it.

#include "platform/surface/qt/GlyphShaper.h"

#include <QRect>
#include <QTransform>

#include <vector>

inline constexpr int kInkMargin = 2;

// The guess for glyph g of a text under t (a plain scale placing the
// text's top-left at logical (0, 0)).
QRect GlyphGuess(const QTransform& t, const PlacedGlyph& g);
// One box holding the guesses of all the glyphs.
QRect GlyphsGuess(const QTransform& t, const std::vector<PlacedGlyph>& glyphs);
// Whether the guess for g lies wholly left or right of a device this wide.
bool GlyphBesideDevice(const QTransform& t, const PlacedGlyph& g, int width);
