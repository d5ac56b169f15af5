// SPDX-License-Identifier: MIT
#include "platform/surface/qt/GlyphGuess.h"

#include <algorithm>
#include <cmath>

namespace {

// The guess for an outline box from (x1, y1) to (x2, y2) on the device;
// clamped first, since a long name may reach far beyond the device.
QRect GuessBox(double x1, double y1, double x2, double y2)
{
    auto at = [](double v) { return int(std::clamp(v, -1e6, 1e6)); };
    return QRect(QPoint(at(std::floor(x1)) - kInkMargin, at(std::floor(y1)) - kInkMargin),
                 QPoint(at(std::ceil(x2)) + kInkMargin, at(std::ceil(y2)) + kInkMargin));
}

} // namespace

QRect GlyphGuess(const QTransform& t, const PlacedGlyph& g)
{
    return GuessBox(t.m11() * (g.x + g.ink.left()) + t.dx(), t.m22() * (g.y + g.ink.top()) + t.dy(),
                    t.m11() * (g.x + g.ink.right()) + t.dx(), t.m22() * (g.y + g.ink.bottom()) + t.dy());
}

QRect GlyphsGuess(const QTransform& t, const std::vector<PlacedGlyph>& glyphs)
{
    if (glyphs.empty())
        return QRect();
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const PlacedGlyph& g : glyphs) {
        left = std::min(left, g.x + g.ink.left()), right = std::max(right, g.x + g.ink.right());
        top = std::min(top, g.y + g.ink.top()), bottom = std::max(bottom, g.y + g.ink.bottom());
    }
    return GuessBox(t.m11() * left + t.dx(), t.m22() * top + t.dy(), t.m11() * right + t.dx(),
                    t.m22() * bottom + t.dy());
}

bool GlyphBesideDevice(const QTransform& t, const PlacedGlyph& g, int width)
{
    const double margin = kInkMargin + 1.0;
    return t.m11() * (g.x + g.ink.left()) + t.dx() > width + margin ||
           t.m11() * (g.x + g.ink.right()) + t.dx() < -margin;
}
