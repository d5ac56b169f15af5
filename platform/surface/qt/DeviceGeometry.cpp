#include "platform/surface/qt/DeviceGeometry.h"

#include <algorithm>

QPointF DevicePixel(const CMapping& mapping, int x, int y)
{
    return QPointF(static_cast<double>(mapping.ToDeviceX(x)), static_cast<double>(mapping.ToDeviceY(y)));
}

DeviceBox EllipseBox(const CMapping& mapping, const CRect& box)
{
    QPointF a = DevicePixel(mapping, box.left, box.top), b = DevicePixel(mapping, box.right, box.bottom);
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y())};
}

QPoint DotPixel(const DeviceBox& box)
{
    // Clamped first: a dot far outside the device is culled by the caller.
    auto pixel = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    return QPoint(pixel(box.left), pixel(box.bottom - 1));
}

QTransform TextTransform(const CMapping& mapping, int x, int y)
{
    QPointF origin = DevicePixel(mapping, x, y);
    return QTransform(mapping.DeviceScaleX(), 0, 0, mapping.DeviceScaleY(), origin.x(), origin.y());
}
