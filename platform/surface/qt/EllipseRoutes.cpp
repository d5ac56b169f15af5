// SPDX-License-Identifier: MIT
#include "platform/surface/qt/EllipseRoutes.h"

#include "platform/surface/qt/DCDevice.h"
#include "platform/surface/qt/DeviceGeometry.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/PlainDraw.h"
#include "platform/surface/qt/ShapeCache.h"

#include <algorithm>
#include <optional>

namespace {

// Whether a shape between two rough device corners lies wholly more than a
// couple of pixels off the device.
bool FarOff(QPointF a, QPointF b, const CDCDevice& dev)
{
    constexpr double kMargin = 3.0;
    return std::max(a.x(), b.x()) < -kMargin || std::max(a.y(), b.y()) < -kMargin ||
           std::min(a.x(), b.x()) > dev.width + kMargin || std::min(a.y(), b.y()) > dev.height + kMargin;
}

// Route 2: false when the box is not a dot or the device not an image.
bool DrawDot(const CDCDevice& dev, const DeviceBox& box, const EllipseStyle& style)
{
    QImage* image = dev.Image();
    if (image == nullptr || (box.Width() >= kDotShape && box.Height() >= kDotShape))
        return false;
    QPoint at = DotPixel(box);
    if (at.x() < 0 || at.y() < 0 || at.x() >= dev.width || at.y() >= dev.height)
        return true;
    QRgb& pixel = reinterpret_cast<QRgb*>(image->scanLine(at.y()))[at.x()];
    QRgb color = ToQColor(style.pen).rgb();
    pixel = style.xorMode ? (pixel ^ color) | 0xFF000000u : color;
    return true;
}

// Route 3: false when the cache does not apply.
bool DrawCachedOutline(const CDCDevice& dev, const DeviceBox& box, const EllipseStyle& style)
{
    QImage* image = dev.Image();
    return image != nullptr && style.brush.IsHollow() && !style.xorMode &&
           ShapeCache::DrawHollowEllipse(*image, box.OutlineRect(), ToQColor(style.pen).rgb());
}

} // namespace

// A rough place rules out most distant planets before the exact one is
// worked out.
std::optional<DeviceBox> EllipseOnDevice(const CDCDevice& dev, const CMapping& mapping, const CRect& r)
{
    if (FarOff(RoughDevicePoint(mapping, r.left, r.top), RoughDevicePoint(mapping, r.right, r.bottom), dev))
        return std::nullopt;
    DeviceBox box = EllipseBox(mapping, r);
    if (box.right < -1 || box.bottom < -1 || box.left > dev.width + 1 || box.top > dev.height + 1)
        return std::nullopt;
    return box;
}

void DrawEllipseBox(CDCDevice& dev, const DeviceBox& box, const EllipseStyle& style)
{
    if (DrawDot(dev, box, style) || DrawCachedOutline(dev, box, style))
        return;
    PlainEllipse({dev.painter, dev.width, dev.height, kSystemFontPixels, dev.smooth}, box, style.pen, style.brush, style.xorMode);
}

void DrawEllipse(CDCDevice& dev, const CMapping& mapping, const CRect& r, const EllipseStyle& style)
{
    if (std::optional<DeviceBox> box = EllipseOnDevice(dev, mapping, r))
        DrawEllipseBox(dev, *box, style);
}
