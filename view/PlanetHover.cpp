// SPDX-License-Identifier: MIT
#include "PlanetHover.h"

#include "model/map/FactionTable.h"
#include "model/map/LightYears.h"
#include "model/find/PlanetIndex.h"
#include "model/map/StarMap.h"

#include "platform/surface/DotEllipse.h"
#include "platform/surface/TextEncoding.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

// A map coordinate as the file wrote it: the stored value over ten, with
// the sign flipped for y. The loader stores whole file units times ten, so
// a tenth shows only for a value it did not write.
std::string FileCoordinate(std::int32_t stored, bool flip)
{
    std::int64_t value = flip ? -std::int64_t(stored) : std::int64_t(stored);
    std::int64_t whole = std::llabs(value / 10), tenth = std::llabs(value % 10);
    std::string text = value < 0 ? "-" : "";
    text += std::to_string(whole);
    if (tenth != 0)
        text += "." + std::to_string(tenth);
    return text;
}

std::string FactionText(const CStarMap& map, const CPlanet& planet)
{
    std::string code = ToUtf8(planet.m_strFaction, map.GetTextEncoding());
    for (const LegendRow& row : kLegendRows) {
        if (planet.m_strFaction == row.code)
            return std::string(row.text) + " (" + code + ")";
    }
    return code;
}

// Tenths of a light year from the origin, cut toward zero.
std::string DistanceText(const CPlanet& planet)
{
    return TenthsText(TenthsOfLightYears(MapDistance(CPoint(0, 0), CPoint(planet.m_x, planet.m_y))));
}

} // namespace

CMapDisc HoverDisc(const CMapViewport& viewport, CPoint client)
{
    const CMapping& mapping = viewport.ScreenMapping();
    const CMapping::Ratio sx = mapping.ExactScaleX(), sy = mapping.ExactScaleY();
    // The isotropic mapping gives both axes one size of scale; a pixel is
    // den / |num| map units, so every length below is counted in 1 / |num|.
    const std::int64_t num = std::llabs(sx.num), den = sx.den;
    const CPoint v = mapping.GetViewportOrg(), w = mapping.GetWindowOrg();
    // Client points and origins are 32-bit and the extents are the view's,
    // so these products stay far inside 64 bits.
    const std::int64_t x = (std::int64_t(client.x) - v.x) * den * (sx.num < 0 ? -1 : 1) + std::int64_t(w.x) * num;
    const std::int64_t y = (std::int64_t(client.y) - v.y) * den * (sy.num < 0 ? -1 : 1) + std::int64_t(w.y) * num;
    const bool dot = 2 * CStarMap::kPlanetRadius * num < kDotEllipsePixels * den;
    const std::int64_t circle = dot ? 0 : CStarMap::kPlanetRadius * num;
    return CMapDisc::Scaled(x, y, circle + kHoverPixels * den, num);
}

std::string HoverLine(const CStarMap& map, const CPlanet& planet)
{
    return ToUtf8(planet.m_strName, map.GetTextEncoding()) + " \u2014 " + FactionText(map, planet) + " \u2014 " +
           FileCoordinate(planet.m_x, false) + ", " + FileCoordinate(planet.m_y, true) + " \u2014 " +
           DistanceText(planet) + " light years from the origin";
}

std::string HoverText(const CStarMap& map, const CPlanetIndex& index, const CMapViewport& viewport, CPoint client)
{
    if (!map.HasPlanets())
        return {};
    CNearbyPlanets near = index.Near(HoverDisc(viewport, client), kHoverListed);
    std::string text;
    for (std::int16_t i : near.nearest) {
        if (!text.empty())
            text += '\n';
        text += HoverLine(map, map.GetPlanet(i));
    }
    if (near.more > 0)
        text += "\nand " + std::to_string(near.more) + " more";
    return text;
}
