// SPDX-License-Identifier: MIT
#include "RouteCommand.h"

#include "AnswerOutput.h"
#include "FileMessages.h"
#include "MapPicture.h"
#include "OutputCheck.h"
#include "PictureTarget.h"
#include "RouteData.h"
#include "RouteSketch.h"
#include "TypedNames.h"

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
int NoRoute(const CStarMap& map, const RenderOptions& o, const CRoute& route, const std::string* names,
            std::int16_t from, std::int16_t to, std::ostream& err)
{
    err << "kestrin-render: no route from \"" << EscapeShown(names[0]) << "\" to \"" << EscapeShown(names[1])
        << "\" with jumps of at most " << RangeText(*o.jump) << " light years";
    if (route.nearest >= 0 && route.nearest != to)
        err << "; the nearest to \"" << Shown(map, to) << "\" that can be reached is \"" << Shown(map, route.nearest)
            << "\", " << LightYearsText(route.nearestLightYears) << " from it";
    err << "; --jump " << TenthsText(std::int64_t(LeastRangeTenths(map, from, to))) << " finds one\n";
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

// The planets of FROM, each --via and TO, in order; an empty list after
// one line on err when a name is no planet's or a stop is its
// neighbour's planet under another name.
std::vector<std::int16_t> StopsNamed(const CStarMap& map, const std::vector<std::string>& names, std::ostream& err)
{
    std::vector<std::int16_t> stops;
    for (const std::string& name : names) {
        const std::int16_t planet = PlanetNamed(map, name);
        if (planet < 0) {
            UnknownName(map, name, err);
            return {};
        }
        if (names.size() > 2 && !stops.empty() && stops.back() == planet) {
            err << "kestrin-render: --via \"" << EscapeShown(name)
                << "\" is the planet of the stop next to it; a stop is not visited twice in a row\n";
            return {};
        }
        stops.push_back(planet);
    }
    return stops;
}

// The answer in the format asked for.
std::string RouteAnswer(const CStarMap& map, const CRoute& route, const std::string& format)
{
    return format == "json" ? RouteJson(map, route) : format == "csv" ? RouteCsv(map, route) : LegsText(map, route);
}

} // namespace

int RunRoute(const RenderOptions& o, std::ostream& out, std::ostream& err)
{
    std::string reason;
    const bool picture = !o.output.empty() && !WritesDataFile(o);
    if (picture && !CheckPictureTarget(o, reason))
        return CannotWritePicture(o, reason, err);
    if (!picture && !AnswerTargetWritable(o, err))
        return 2;
    CStarMap map;
    CLoadDiagnostic diagnostic;
    if (!map.LoadDataFile(o.input.c_str(), &diagnostic)) {
        if (diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen)
            return CannotOpen(o.input, diagnostic.reason, err);
        // As in the viewer, the planets above the bad line are the map.
        LoadStopped(o.input, diagnostic, " (the planets below it are left out)", err);
    }
    std::vector<std::string> names = {o.routeFrom};
    names.insert(names.end(), o.via.begin(), o.via.end());
    names.push_back(o.routeTo);
    const std::vector<std::int16_t> stops = StopsNamed(map, names, err);
    if (stops.empty())
        return 2;
    RenderOptions centred = o;
    if (!CenterOnNamed(map, centred, err))
        return 2;
    CRoute route;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        CRoute stretch = FindRoute(map, stops[i - 1], stops[i], *o.jump);
        if (!stretch.found)
            return NoRoute(map, o, stretch, &names[i - 1], stops[i - 1], stops[i], err);
        route.legs.insert(route.legs.end(), stretch.legs.begin(), stretch.legs.end());
        route.length += stretch.length;
    }
    route.found = true;
    RenderOptions answer = o;
    if (picture)
        answer.output.clear();
    // The figures are the answer: a picture without them is no success.
    if (!WriteAnswer(answer, RouteAnswer(map, route, o.format), out, err))
        return 2;
    // The legs drawn over the map, their stops numbered (RouteSketch.h).
    const MapOverlay sketch = [&map, &route](CDC& dc, const CMapping& mapping, CSize area, bool printed) {
        DrawRouteSketch(dc, map, route, mapping, area, printed);
    };
    if (picture && !WriteMapPicture(map, RoutePicture(map, route, stops[0], centred), reason, sketch))
        return CannotWritePicture(o, reason, err);
    return 0;
}
