// SPDX-License-Identifier: MIT
#include "RouteSketch.h"

#include "model/map/StarMap.h"

#include "platform/surface/DC.h"
#include "platform/surface/Font.h"
#include "platform/surface/Pen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// Pixels between a label and what it keeps clear of.
constexpr int kGap = 2;

CRect CellAt(CPoint topLeft, CSize cell)
{
    return CRect(topLeft.x, topLeft.y, topLeft.x + cell.cx, topLeft.y + cell.cy);
}

std::int64_t Overlap(const CRect& a, const CRect& b)
{
    const std::int64_t w = std::int64_t(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const std::int64_t h = std::int64_t(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// A planet on the picture: its circle and its name's cell, in device pixels.
struct StopCells {
    CPoint at;
    CRect circle;
    CRect name;
};

// Where Draw puts a planet's circle and name under the map's mapping, and
// the name's cell in the map font (selected on dc).
StopCells CellsOf(const CDC& dc, const CPlanet& planet, const CMapping& mapping)
{
    const int r = CStarMap::kPlanetRadius;
    const CPoint low = mapping.LPtoDP(CPoint(planet.m_x - r, planet.m_y - r));
    const CPoint high = mapping.LPtoDP(CPoint(planet.m_x + r, planet.m_y + r));
    const CRect circle(std::min(low.x, high.x), std::min(low.y, high.y), std::max(low.x, high.x) + 1,
                       std::max(low.y, high.y) + 1);
    const CPoint name = mapping.LPtoDP(CPoint(planet.m_x - r, planet.m_y + r));
    return {mapping.LPtoDP(CPoint(planet.m_x, planet.m_y)), circle, CellAt(name, dc.GetTextExtent(planet.m_strName))};
}

// Beside a stop's circle: above right, above left, right, left, below right.
std::vector<CPoint> NumberPlaces(const CRect& circle, CSize cell)
{
    const int right = circle.right + kGap, left = circle.left - kGap - cell.cx;
    const int above = circle.top - cell.cy, middle = (circle.top + circle.bottom - cell.cy) / 2;
    return {{right, above}, {left, above}, {right, middle}, {left, middle}, {right, circle.bottom + kGap}};
}

// Beside a leg, on either side, from its middle toward its ends; last of
// all on its middle.
std::vector<CPoint> LabelPlaces(CPoint a, CPoint b, CSize cell)
{
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double length = std::hypot(dx, dy);
    const double nx = length > 0 ? -dy / length : 0.0, ny = length > 0 ? dx / length : -1.0;
    // How far the cell's middle must be from the line for the cell to clear it.
    const double clear = (std::abs(nx) * cell.cx + std::abs(ny) * cell.cy) / 2 + kGap;
    std::vector<CPoint> places;
    for (double t : {0.5, 0.35, 0.65, 0.2, 0.8})
        for (int side : {1, -1}) {
            const double cx = a.x + t * dx + side * nx * clear, cy = a.y + t * dy + side * ny * clear;
            places.emplace_back(int(std::lround(cx - cell.cx / 2.0)), int(std::lround(cy - cell.cy / 2.0)));
        }
    places.emplace_back(int((a.x + b.x - cell.cx) / 2), int((a.y + b.y - cell.cy) / 2));
    return places;
}

// The stops in order: the start, then the end of each leg.
std::vector<std::int16_t> StopsOf(const CRoute& route)
{
    std::vector<std::int16_t> stops;
    if (!route.legs.empty())
        stops.push_back(route.legs.front().from);
    for (const CRouteLeg& leg : route.legs)
        stops.push_back(leg.to);
    return stops;
}

void DrawLegs(CDC& dc, const CStarMap& map, const CRoute& route)
{
    for (const CRouteLeg& leg : route.legs) {
        const CPlanet& a = map.GetPlanet(leg.from);
        const CPlanet& b = map.GetPlanet(leg.to);
        dc.MoveTo(a.m_x, a.m_y);
        dc.LineTo(b.m_x, b.m_y);
    }
}

// Each stop's circle and name, found under the map font.
std::vector<StopCells> StopCellsOf(CDC& dc, const CStarMap& map, const std::vector<std::int16_t>& stops,
                                  const CMapping& mapping)
{
    LOGFONT desc = CStarMap::MapFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(map.GetTextEncoding());
    CFont* old = dc.SelectObject(&font);
    std::vector<StopCells> cells;
    for (std::int16_t stop : stops)
        cells.push_back(CellsOf(dc, map.GetPlanet(stop), mapping));
    dc.SelectObject(old);
    return cells;
}

// Writes text at the first clear place and keeps its cell clear of later ones.
void Place(CDC& dc, const std::string& text, const std::vector<CPoint>& places, std::vector<CRect>& taken,
           CSize area)
{
    const CSize cell = dc.GetTextExtent(text);
    const CPoint at = FirstClearPlace(places, cell, taken, area);
    dc.TextOut(at.x, at.y, text);
    taken.push_back(CellAt(at, cell));
}

} // namespace

CPoint FirstClearPlace(const std::vector<CPoint>& candidates, CSize cell, const std::vector<CRect>& taken, CSize area)
{
    CPoint best = candidates.empty() ? CPoint() : candidates.front();
    std::int64_t least = std::numeric_limits<std::int64_t>::max();
    for (const CPoint& p : candidates) {
        const CRect box = CellAt(p, cell);
        const bool inside = box.left >= 0 && box.top >= 0 && box.right <= area.cx && box.bottom <= area.cy;
        std::int64_t covered = 0;
        for (const CRect& t : taken)
            covered += Overlap(box, t);
        if (covered == 0 && inside)
            return p;
        if (covered < least) {
            least = covered;
            best = p;
        }
    }
    return best;
}

void DrawRouteSketch(CDC& dc, CStarMap& map, const CRoute& route, const CMapping& mapping, CSize area, bool printed)
{
    const COLORREF ink = printed ? RGB(0, 0, 0) : RGB(255, 255, 0);
    CPen pen(PS_SOLID, 0, ink);
    CPen* oldPen = dc.SelectObject(&pen);
    DrawLegs(dc, map, route);
    const std::vector<std::int16_t> stops = StopsOf(route);
    const std::vector<StopCells> cells = StopCellsOf(dc, map, stops, mapping);
    std::vector<CRect> taken;
    for (const StopCells& c : cells) {
        taken.push_back(c.circle);
        taken.push_back(c.name);
    }
    // Numbers and labels in device pixels, in the legend's font.
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    CGdiObject* oldFont = dc.SelectStockObject(SYSTEM_FONT);
    dc.SetTextColor(ink);
    dc.SetBkColor(printed ? RGB(255, 255, 255) : RGB(0, 0, 0));
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        Place(dc, number, NumberPlaces(cells[i].circle, dc.GetTextExtent(number)), taken, area);
    }
    for (std::size_t i = 0; i < route.legs.size(); ++i) {
        const std::string label = std::to_string(route.legs[i].lightYears) + " Light Years";
        Place(dc, label, LabelPlaces(cells[i].at, cells[i + 1].at, dc.GetTextExtent(label)), taken, area);
    }
    dc.SelectObject(static_cast<CFont*>(oldFont));
    dc.SelectObject(oldPen);
}
