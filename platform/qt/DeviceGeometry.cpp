#include "DeviceGeometry.h"

#include <algorithm>

QTransform MappingTransform(const CMapping& m)
{
    if (m.GetMapMode() == MM_TEXT)
        return QTransform::fromTranslate(m.GetViewportOrg().x - m.GetWindowOrg().x,
                                         m.GetViewportOrg().y - m.GetWindowOrg().y);
    double s = m.ScaleLength(1.0);
    double sx = (m.GetViewportExt().cx < 0) != (m.GetWindowExt().cx < 0) ? -s : s;
    double sy = (m.GetViewportExt().cy < 0) != (m.GetWindowExt().cy < 0) ? -s : s;
    return QTransform(sx, 0, 0, sy, m.GetViewportOrg().x - m.GetWindowOrg().x * sx,
                      m.GetViewportOrg().y - m.GetWindowOrg().y * sy);
}

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
    QTransform scale = MappingTransform(mapping);
    QPointF origin = DevicePixel(mapping, x, y);
    return QTransform(scale.m11(), 0, 0, scale.m22(), origin.x(), origin.y());
}
