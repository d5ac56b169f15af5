// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: where a surface's logical points land on its device.
// Every point a surface draws at (a line's ends, an ellipse's box, a text's
// top-left) goes through the mapping's own integer rounding, the one LPtoDP
// gives and DPtoLP inverts. So a point read back with DPtoLP and drawn again
// lands on the pixel it came from, and two figures that share a logical
// coordinate share a device row or column: a planet's name, whose top is
// the bottom edge of the planet's square, starts on the row below the
// square's last row.
//
// Device coordinates are whole pixels held as doubles, so that points far
// outside the 32-bit range keep their place for clipping.

#include "platform/surface/DotEllipse.h"
#include "platform/surface/Mapping.h"

#include <QPoint>
#include <QPointF>
#include <QRectF>

// The device pixel of logical (x, y).
QPointF DevicePixel(const CMapping& mapping, int x, int y);
// Within a pixel of DevicePixel and much cheaper: for deciding that
// something lies far off the device before placing it exactly.
inline QPointF RoughDevicePoint(const CMapping& mapping, int x, int y)
{
    return QPointF(mapping.GetViewportOrg().x + (double(x) - mapping.GetWindowOrg().x) * mapping.DeviceScaleX(),
                   mapping.GetViewportOrg().y + (double(y) - mapping.GetWindowOrg().y) * mapping.DeviceScaleY());
}

// An ellipse's box in device pixels, normalised: from the pixel of its
// left/top corner up to, not including, the pixel of its right/bottom one.
struct DeviceBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    // The box as Qt's ellipse rectangle, whose outline covers the pixels
    // from left/top to right/bottom inclusive.
    QRectF OutlineRect() const { return QRectF(left, top, Width() - 1, Height() - 1); }
};
DeviceBox EllipseBox(const CMapping& mapping, const CRect& box);

// Below this many device pixels across or down, an ellipse is one pixel.
inline constexpr double kDotShape = kDotEllipsePixels;
// The pixel of an ellipse drawn as a dot: the box's first column and its
// last row. An empty box (both corners on one pixel row) puts the dot on the
// row above that pixel, so that a text whose top is the box's bottom edge,
// as a planet's name is, never covers the dot.
QPoint DotPixel(const DeviceBox& box);

// Shapes are clipped to the device plus this margin before Qt sees them, so
// coordinates far outside (deep zoom, distant planets) never reach the
// rasteriser.
inline constexpr double kClipMargin = 4.0;

// Liang-Barsky clipping of a segment to [lo, hi] on both axes; false when
// nothing of it is inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY,
                 double hiX, double hiY);
