// SPDX-License-Identifier: MIT
#include "Detour.h"

#include "model/map/LightYears.h"

#include <algorithm>
#include <cmath>

namespace {

bool Inside(CPoint p, const CMapBox& box)
{
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

// Whether the straight way from a to b passes through the box, by clipping
// it against each side in turn. Only a bound depends on it, and saying yes
// wrongly would merely lower the bound: doubles are good enough.
bool Crosses(CPoint a, CPoint b, const CMapBox& box)
{
    double enter = 0, leave = 1;
    double d[2] = {double(b.x) - a.x, double(b.y) - a.y};
    double low[2] = {double(box.left) - a.x, double(box.top) - a.y};
    double high[2] = {double(box.right) - a.x, double(box.bottom) - a.y};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (low[axis] > 0 || high[axis] < 0)
                return false;
            continue;
        }
        double t0 = low[axis] / d[axis], t1 = high[axis] / d[axis];
        enter = std::max(enter, std::min(t0, t1));
        leave = std::min(leave, std::max(t0, t1));
    }
    return enter <= leave;
}

// The least of |a u| + |u b| along one edge of the box: on the edge's whole
// line it lies where the straight way from a to b, with b mirrored to a's
// side, crosses it; the sum only grows away from there, so on the edge it
// lies at that point moved onto the edge. Coordinates come across the edge
// first: for a top or bottom edge the caller swaps x and y.
double AlongEdge(double ax, double ay, double bx, double by, double line, double from, double to)
{
    double da = std::fabs(ax - line), db = std::fabs(bx - line);
    double crossing = da + db > 0 ? ay + (by - ay) * da / (da + db) : ay;
    double at = std::clamp(crossing, from, to);
    return std::sqrt(da * da + (ay - at) * (ay - at)) + std::sqrt(db * db + (by - at) * (by - at));
}

} // namespace

double LeastDetour(CPoint a, CPoint b, const CMapBox& box)
{
    if (Inside(a, box) || Inside(b, box) || Crosses(a, b, box))
        return MapDistance(a, b);
    // With both ends beyond one side, every point of the box has a point on
    // that side at least as near to both: the least lies on that edge.
    double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    if (a.x < box.left && b.x < box.left)
        return AlongEdge(ax, ay, bx, by, box.left, box.top, box.bottom);
    if (a.x > box.right && b.x > box.right)
        return AlongEdge(ax, ay, bx, by, box.right, box.top, box.bottom);
    if (a.y < box.top && b.y < box.top)
        return AlongEdge(ay, ax, by, bx, box.top, box.left, box.right);
    if (a.y > box.bottom && b.y > box.bottom)
        return AlongEdge(ay, ax, by, bx, box.bottom, box.left, box.right);
    // Otherwise the way passes beside the box, and the least lies on one of
    // its edges.
    double best = std::min(AlongEdge(ax, ay, bx, by, box.left, box.top, box.bottom),
                           AlongEdge(ax, ay, bx, by, box.right, box.top, box.bottom));
    best = std::min(best, AlongEdge(ay, ax, by, bx, box.top, box.left, box.right));
    return std::min(best, AlongEdge(ay, ax, by, bx, box.bottom, box.left, box.right));
}
