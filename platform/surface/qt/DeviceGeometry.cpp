// SPDX-License-Identifier: MIT
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

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY,
                 double hiX, double hiY)
{
    double t0 = 0.0, t1 = 1.0;
    double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}
