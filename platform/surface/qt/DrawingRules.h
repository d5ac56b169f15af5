// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the rules that both ways of drawing follow, the fast
// one (CDC with its caches) and the plain one (PlainDraw, which the
// reference surface uses throughout), so that they give the same pixels.
// Each rule lives here once:
// - a text is laid out in logical units under the mapping's scale, with
//   logical (0, 0) on the device pixel of the text's top-left (the
//   mapping transform);
// - the system font is a device font: 12 pixels high on a 96 dpi surface
//   and as many more as the surface is denser, whatever the mapping;
// - a surface's font becomes the Qt font of its face, size, weight and
//   style, never antialiased, and its bytes the characters of its
//   encoding;
// - a colour 0x00BBGGRR becomes the Qt colour of its three components;
// - the exclusive-or raster operation is Qt's source-xor-destination.

#include "platform/surface/Font.h"
#include "platform/surface/Mapping.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <QTransform>

// The mapping's scale, with logical (0, 0) at the device pixel of logical
// (x, y): a text is laid out in logical units from that origin.
QTransform TextTransform(const CMapping& mapping, int x, int y);

inline constexpr int kSystemFontPixels = 12;
// The system font's height in pixels on a surface of dpiY dots per inch.
int SystemFontPixels(int dpiY);

// The Qt font a surface's font stands for, at its logical pixel size (the
// system font at systemPixels device pixels).
QFont RealiseFont(const CFont& font, int systemPixels = kSystemFontPixels);
// A text's bytes as the characters they stand for in the font's encoding.
QString TextOf(const CFont& font, const char* text, int length);

inline QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// How the painter draws the glyphs of a font of pixelSize pixels under t:
// up to 64 device pixels (the root of the font's pixels squared times the
// mapping's area scale) it copies their sharp pixels from its glyph cache,
// past that it fills their outlines with smoothed edges, which blend with
// what lies beneath. Each test keeps two pixels from that edge; between
// them neither holds.
bool CopiesGlyphs(double pixelSize, const QTransform& t);
bool FillsGlyphs(double pixelSize, const QTransform& t);

// Copying, or exclusive-or (R2_XORPEN), for what the painter draws next.
void SetRasterOp(QPainter& painter, bool xorMode);
