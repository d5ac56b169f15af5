#pragma once

// Platform-internal: the plain way to draw the surface's shapes and text,
// straight through QPainter at the device points DeviceGeometry gives, one
// Qt call per shape and no caching. The reference surface draws everything
// this way; the fast surface falls back to it where its own shortcuts do not
// apply, so both give the same pixels there.

#include "platform/surface/DC.h"
#include "platform/surface/qt/DeviceGeometry.h"

#include <QFont>
#include <QPainter>
#include <QTransform>

#include <algorithm>

// The system font is a device font: 12 pixels high on a 96 dpi surface and
// as many more as the surface is denser, whatever the mapping.
inline constexpr int kSystemFontPixels = 12;
inline int SystemFontPixels(int dpiY)
{
    return static_cast<int>(std::clamp<std::int64_t>(MulDivRound(kSystemFontPixels, dpiY, 96), 1, 4096));
}

// The Qt font a surface's font stands for, at its logical pixel size (the
// system font at systemPixels device pixels).
QFont RealiseFont(const CFont& font, int systemPixels = kSystemFontPixels);
// A text's bytes as the characters they stand for in the font's encoding.
QString TextOf(const CFont& font, const char* text, int length);
inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Ellipses at most this many device pixels across are handed to Qt; larger
// ones are drawn as the dots where the outline crosses each device row and
// column, since Qt would flatten curves millions of pixels long.
inline constexpr double kHugeShape = 16384.0;

struct PlainTarget {
    QPainter& painter;
    int width;
    int height;
    int systemPixels = kSystemFontPixels;
};

void PlainEllipse(PlainTarget target, const DeviceBox& box, COLORREF pen, const CBrush& brush, bool xorMode);
// A line leaves out one end pixel, the right one of a flat line and the
// lower one of a steep line, whichever way it is drawn; one that ends where
// it starts draws nothing.
void PlainLine(PlainTarget target, QPointF from, QPointF to, COLORREF pen, bool xorMode);
// A text under TextTransform: its top-left at logical (0, 0).
void PlainText(PlainTarget target, const QTransform& t, const CFont& font, const QString& text, COLORREF textColor,
               COLORREF bkColor);
