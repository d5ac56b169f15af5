#pragma once

// Platform-internal: the fast way to write small map text. The first time a
// name is written its glyphs and their positions are laid out once, and each
// glyph's pixels are rendered once per scale; later writes only map the
// positions and copy those pixels into the image. The pixels are the ones
// Qt itself draws for the same text under the same transform: the glyphs
// come from the same font engine, are placed by the same rounding (x down,
// y to nearest, on positions in 1/64 pixel), and the cell is filled by the
// same rounding of its edges.
//
// The caches belong to the whole program (one user-interface thread), one
// per font in use, told apart by the font's description, its encoding and,
// for the system font, its height on the device; a few fonts at most, since
// the map font and the legend's system font alternate on every repaint. A
// cache's glyph pixels are rendered again when the scale changes.

#include "platform/surface/Font.h"

#include <QImage>
#include <QTransform>

#include <string_view>

namespace TextCache {

// Writes text into image as PlainText would under the same transform t,
// which places the text's top-left at logical (0, 0). False when this path does not apply (the system font under a
// scaling mapping, a text size at which Qt draws glyphs as outlines, a
// rotating or mirroring transform, a name the layout splits over several
// fonts): the caller draws it plainly.
// systemPixels is the system font's height on this image.
bool Draw(QImage& image, const QTransform& t, const CFont& font, std::string_view text, COLORREF textColor,
          COLORREF bkColor, int systemPixels);

// Drops everything cached (tests and benchmarks measuring a cold cache).
void Clear();

} // namespace TextCache
