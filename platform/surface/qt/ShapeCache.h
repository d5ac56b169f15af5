#pragma once

// Platform-internal: small hollow ellipses from a cache of the pixels Qt
// draws for them, keyed by the exact device box. The first paint of a view
// strokes each curve once; every repaint of the same view (an expose, the
// end of a rubber band, a scroll back) only copies pixels.

#include <QImage>
#include <QRectF>

namespace ShapeCache {

// Draws the outline of the ellipse Qt would draw with drawEllipse(box) and
// a one-pixel cosmetic pen of color, no brush, on an opaque image. False
// when this path does not apply (a large box, another image format).
bool DrawHollowEllipse(QImage& image, const QRectF& box, QRgb color);

void Clear();

} // namespace ShapeCache
