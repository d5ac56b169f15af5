// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the plain way to draw the surface's shapes and text,
// straight through QPainter at the device points DeviceGeometry gives, one
// Qt call per shape and no caching, under the rules of DrawingRules.h. The
// reference surface draws everything this way; the fast surface falls back
// to it where its own shortcuts do not apply, so both give the same pixels
// there.

#include "platform/surface/Brush.h"
#include "platform/surface/Font.h"
#include "platform/surface/qt/DeviceGeometry.h"
#include "platform/surface/qt/DrawingRules.h"

#include <QPainter>
#include <QString>
#include <QTransform>

// Ellipses at most this many device pixels across are handed to Qt; larger
// ones are drawn as the dots where the outline crosses each device row and
// column, since Qt would flatten curves millions of pixels long.
inline constexpr double kHugeShape = 16384.0;

struct PlainTarget {
    QPainter& painter;
    int width;
    int height;
    int systemPixels = kSystemFontPixels;
    // Anti-aliased: shapes go through the middle of their pixels and text
    // is smoothed, where the window's pixels are sharp.
    bool smooth = false;
};

void PlainEllipse(PlainTarget target, const DeviceBox& box, COLORREF pen, const CBrush& brush, bool xorMode);
// A line leaves out one end pixel, the right one of a flat line and the
// lower one of a steep line, whichever way it is drawn; one that ends where
// it starts draws nothing.
void PlainLine(PlainTarget target, QPointF from, QPointF to, COLORREF pen, bool xorMode);
// A text under TextTransform: its top-left at logical (0, 0).
void PlainText(PlainTarget target, const QTransform& t, const CFont& font, const QString& text, COLORREF textColor,
               COLORREF bkColor);
