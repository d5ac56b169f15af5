// SPDX-License-Identifier: MIT
#include "RouteCommand.h"

#include "NamedMap.h"
#include "RouteData.h"
#include "RouteSketch.h"
#include "TypedNames.h"

#include "model/find/PlanetIndex.h"
#include "model/map/LightYears.h"
#include "model/route/RouteFinder.h"
#include "model/map/StarMap.h"
#include "view/MapViewport.h"

#include "platform/surface/TextEscape.h"

#include <algorithm>
#include <optional>

namespace {

std::string Shown(const CStarMap& map, std::int16_t planet)
{
    return ShownName(map, map.GetPlanet(planet).m_strName);
}

// As a measure line's label reads.
std::string LightYearsText(std::int64_t lightYears)
{
    return std::to_string(lightYears) + " Light Years";
}

// Tenths of a light year as the tooltip gives a distance.
std::string TenthsLightYears(std::int64_t tenths)
{
    return TenthsText(tenths) + " Light Years";
}

// Each leg to a tenth, cut as the tooltip cuts it, and the total as the
// sum of the legs shown, so that the figures add up; then the longest jump
// with the range that, given to --jump, keeps the route within reach.
std::string LegsText(const CStarMap& map, const CRoute& route)
{
    std::string text;
    for (const CRouteLeg& leg : route.legs)
        text += Shown(map, leg.from) + " -> " + Shown(map, leg.to) + ": " +
                TenthsLightYears(TenthsOfLightYears(leg.length)) + "\n";
    const RouteSummary s = SummaryOf(map, route);
    text += "Total: " + TenthsLightYears(s.tenths) + " in " + std::to_string(route.legs.size()) +
            (route.legs.size() == 1 ? " jump\n" : " jumps\n");
    if (s.longest != nullptr)
        text += "Longest jump: " + TenthsLightYears(s.longestTenths) + " (--jump " +
                TenthsText(std::int64_t(s.leastJumpTenths)) + " or more finds a route)\n";
    return text;
}

// A range as it would be typed: "25", "12.5", "0.125".
std::string RangeText(const CJumpRange& range)
{
    std::string text = std::to_string(range.Thousandths() / 1000);
    if (std::uint64_t rest = range.Thousandths() % 1000) {
        std::string digits = std::to_string(1000 + rest).substr(1);
        text += "." + digits.substr(0, digits.find_last_not_of('0') + 1);
    }
    return text;
}

// The stretch from names[0] to names[1] (as typed) has no route.
int NoRoute(const CStarMap& map, const CPlanetIndex& index, const RenderOptions& o, const CRoute& route,
            const std::string* names, std::int16_t from, std::int16_t to, std::ostream& err)
{
    err << "kestrin-render: no route from \"" << EscapeShown(names[0]) << "\" to \"" << EscapeShown(names[1])
        << "\" with jumps of at most " << RangeText(*o.jump) << " light years";
    if (route.nearest >= 0 && route.nearest != to)
        err << "; the nearest to \"" << Shown(map, to) << "\" that can be reached is \"" << Shown(map, route.nearest)
            << "\", " << LightYearsText(route.nearestLightYears) << " from it";
    err << "; --jump " << TenthsText(std::int64_t(LeastRangeTenths(map, index, from, to))) << " finds one\n";
    return 1;
}

// The options of the picture: the route fitted into it unless a zoom or
// a centre was asked for.
RenderOptions RoutePicture(const CStarMap& map, const CRoute& route, std::int16_t from, const RenderOptions& o)
{
    CPoint low(map.GetPlanet(from).m_x, map.GetPlanet(from).m_y);
    CPoint high = low;
    for (const CRouteLeg& leg : route.legs) {
        const CPlanet& b = map.GetPlanet(leg.to);
        low = CPoint(std::min(low.x, b.m_x), std::min(low.y, b.m_y));
        high = CPoint(std::max(high.x, b.m_x), std::max(high.y, b.m_y));
    }
    RenderOptions picture = o;
    if (!o.zoomGiven && !o.centerGiven) {
        CMapViewport fitted = CMapViewport::Fitting(low, high, o.size);
        picture.zoom = fitted.GetZoom();
        picture.center = fitted.GetCenter();
    }
    return picture;
}

// The answer in the format asked for.
std::string RouteAnswer(const CStarMap& map, const CRoute& route, const std::string& format)
{
    return format == "json" ? RouteJson(map, route) : format == "csv" ? RouteCsv(map, route) : LegsText(map, route);
}

} // namespace

int RunRoute(const RenderOptions& o, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> names = {o.routeFrom};
    names.insert(names.end(), o.via.begin(), o.via.end());
    names.push_back(o.routeTo);
    CStarMap map;
    NamedPlanets named;
    if (!LoadNamedPlanets(o, names, map, named, err))
        return 2;
    const std::vector<std::int16_t>& stops = named.planets;
    // One index for every stretch and the least range: the planets stay.
    const CPlanetIndex index(map);
    CRoute route;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        CRoute stretch = FindRoute(map, index, stops[i - 1], stops[i], *o.jump);
        if (!stretch.found)
            return NoRoute(map, index, o, stretch, &names[i - 1], stops[i - 1], stops[i], err);
        route.legs.insert(route.legs.end(), stretch.legs.begin(), stretch.legs.end());
        route.length += stretch.length;
    }
    route.found = true;
    const std::string answer = RouteAnswer(map, route, o.format);
    // The legs drawn over the map, their stops numbered (RouteSketch.h).
    const MapOverlay sketch = [&map, &route](CDC& dc, const CMapping& mapping, CSize area, bool printed) {
        DrawRouteSketch(dc, map, route, mapping, area, printed);
    };
    return WriteAnswerAndPicture(map, o, answer, RoutePicture(map, route, stops[0], named.options), out, err, sketch);
}
