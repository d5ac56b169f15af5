// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: how CDC draws an ellipse, by the cheapest of four
// routes that gives the pixels the plain way would:
// 1. nothing, when the box lies wholly off the device (a distant planet);
// 2. one pixel written straight into an image, for a box under kDotShape
//    pixels across or down (a planet seen from far away);
// 3. the outline's pixels copied from ShapeCache, for a small hollow
//    ellipse drawn by copying on an image (a planet on every repaint);
// 4. PlainEllipse, as the reference surface draws every ellipse (large,
//    filled or exclusive-or ellipses, printers and previews).

#include "platform/surface/Brush.h"
#include "platform/surface/Mapping.h"
#include "platform/surface/qt/DeviceGeometry.h"

#include <optional>

struct CDCDevice;

// What an ellipse is drawn with: the pen's colour, the brush, and whether
// the raster operation is exclusive-or.
struct EllipseStyle {
    COLORREF pen;
    const CBrush& brush;
    bool xorMode;
};

// Route 1: the ellipse's box on the device, or nothing when none of it can
// show there.
std::optional<DeviceBox> EllipseOnDevice(const CDCDevice& device, const CMapping& mapping, const CRect& box);
// Routes 2 to 4 for a box on the device.
void DrawEllipseBox(CDCDevice& device, const DeviceBox& box, const EllipseStyle& style);
// Draws the ellipse in the logical box (right and bottom exclusive).
void DrawEllipse(CDCDevice& device, const CMapping& mapping, const CRect& box, const EllipseStyle& style);
