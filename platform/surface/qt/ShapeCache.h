// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: small hollow ellipses from a cache of the pixels Qt
// draws for them, keyed by the box's size and its corner's place within a
// pixel. The first paint strokes each kind of curve once; every later one,
// scrolled or zoomed by whole pixels or not, only copies pixels.

#include <QImage>
#include <QRectF>

namespace ShapeCache {

// Draws the outline of the ellipse Qt would draw with drawEllipse(box) and
// a one-pixel cosmetic pen of color, no brush, on an opaque image. False
// when this path does not apply (a large box, another image format).
bool DrawHollowEllipse(QImage& image, const QRectF& box, QRgb color);

void Clear();

} // namespace ShapeCache
