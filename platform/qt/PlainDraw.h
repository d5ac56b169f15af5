#pragma once

// Platform-internal: the plain way to draw the surface's shapes and text,
// straight through QPainter under a transform built from the mapping, one
// Qt call per shape and no caching. The reference surface draws everything
// this way; the fast surface falls back to it where its own shortcuts do not
// apply, so both give the same pixels there.

#include "../DC.h"

#include <QFont>
#include <QPainter>
#include <QTransform>

#include <algorithm>

// The mapping as a Qt transform: device = viewport origin + (logical -
// window origin) * scale, on each axis.
QTransform MappingTransform(const CMapping& mapping);

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
inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Ellipses at most this many device pixels across are handed to Qt; larger
// ones are drawn as the dots where the outline crosses each device row and
// column, since Qt would flatten curves millions of pixels long.
inline constexpr double kHugeShape = 16384.0;
// Below this many device pixels across, an ellipse is one dot at its
// top-left corner, so a planet stays visible when zoomed far out.
inline constexpr double kDotShape = 2.0;

struct PlainTarget {
    QPainter& painter;
    int width;
    int height;
    int systemPixels = kSystemFontPixels;
};

void PlainEllipse(PlainTarget target, const QTransform& t, const CRect& box, COLORREF pen,
                  const CBrush& brush, bool xorMode);
void PlainLine(PlainTarget target, const QTransform& t, CPoint from, CPoint to, COLORREF pen, bool xorMode);
void PlainText(PlainTarget target, const QTransform& t, const CFont& font, int x, int y, const QString& text,
               COLORREF textColor, COLORREF bkColor);
// Whether two device points round to the same pixel; coordinates may lie
// far beyond the 32-bit range.
bool SamePixel(QPointF a, QPointF b);
// The top-left pixel of an ellipse drawn as a dot.
QPoint DotPixel(const QTransform& t, const CRect& box);
// The device box of an ellipse, right and bottom exclusive as the surface's
// callers expect.
QRectF EllipseDeviceRect(const QTransform& t, const CRect& box);
