// SPDX-License-Identifier: MIT
#include "RouteCommand.h"

#include "FileMessages.h"
#include "MapPicture.h"
#include "OutputCheck.h"
#include "PictureTarget.h"
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
void WriteLegs(const CStarMap& map, const CRoute& route, std::ostream& out)
{
    const CRouteLeg* longest = nullptr;
    std::int64_t total = 0;
    for (const CRouteLeg& leg : route.legs) {
        const std::int64_t tenths = TenthsOfLightYears(leg.length);
        out << Shown(map, leg.from) << " -> " << Shown(map, leg.to) << ": " << TenthsLightYears(tenths) << '\n';
        total += tenths;
        if (longest == nullptr || leg.length > longest->length)
            longest = &leg;
    }
    out << "Total: " << TenthsLightYears(total) << " in " << route.legs.size()
        << (route.legs.size() == 1 ? " jump\n" : " jumps\n");
    if (longest == nullptr)
        return;
    const CPlanet& a = map.GetPlanet(longest->from);
    const CPlanet& b = map.GetPlanet(longest->to);
    out << "Longest jump: " << TenthsLightYears(TenthsOfLightYears(longest->length)) << " (--jump "
        << TenthsText(std::int64_t(CJumpRange::TenthsToJump(CPoint(a.m_x, a.m_y), CPoint(b.m_x, b.m_y))))
        << " or more finds a route)\n";
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

int NoRoute(const CStarMap& map, const RenderOptions& o, const CRoute& route, std::int16_t from, std::int16_t to,
            std::ostream& err)
{
    err << "kestrin-render: no route from \"" << EscapeShown(o.routeFrom) << "\" to \"" << EscapeShown(o.routeTo)
        << "\" with jumps of at most " << RangeText(*o.jump) << " light years";
    if (route.nearest >= 0 && route.nearest != to)
        err << "; the nearest to \"" << Shown(map, to) << "\" that can be reached is \"" << Shown(map, route.nearest)
            << "\", " << LightYearsText(route.nearestLightYears) << " from it";
    err << "; --jump " << TenthsText(std::int64_t(LeastRangeTenths(map, from, to))) << " finds one\n";
    return 1;
}

// The options of the picture: each leg a measure line, and the route
// fitted into the picture unless a zoom or a centre was asked for.
RenderOptions RoutePicture(CStarMap& map, const CRoute& route, std::int16_t from, const RenderOptions& o)
{
    CPoint low(map.GetPlanet(from).m_x, map.GetPlanet(from).m_y);
    CPoint high = low;
    for (const CRouteLeg& leg : route.legs) {
        const CPlanet& a = map.GetPlanet(leg.from);
        const CPlanet& b = map.GetPlanet(leg.to);
        map.AddMeasureLine(a.m_x, a.m_y, b.m_x, b.m_y, leg.lightYears);
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

} // namespace

int RunRoute(const RenderOptions& o, std::ostream& out, std::ostream& err)
{
    std::string reason;
    if (!o.output.empty() && !CheckPictureTarget(o, reason))
        return CannotWritePicture(o, reason, err);
    CStarMap map;
    CLoadDiagnostic diagnostic;
    if (!map.LoadDataFile(o.input.c_str(), &diagnostic)) {
        if (diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen)
            return CannotOpen(o.input, diagnostic.reason, err);
        // As in the viewer, the planets above the bad line are the map.
        LoadStopped(o.input, diagnostic, " (the planets below it are left out)", err);
    }
    const std::int16_t from = PlanetNamed(map, o.routeFrom);
    if (from < 0)
        return UnknownName(map, o.routeFrom, err);
    const std::int16_t to = PlanetNamed(map, o.routeTo);
    if (to < 0)
        return UnknownName(map, o.routeTo, err);
    RenderOptions centred = o;
    if (!CenterOnNamed(map, centred, err))
        return 2;
    CRoute route = FindRoute(map, from, to, *o.jump);
    if (!route.found)
        return NoRoute(map, o, route, from, to, err);
    WriteLegs(map, route, out);
    // The figures are the answer: a picture without them is no success.
    if (!OutputWritten(out, err))
        return 2;
    if (!o.output.empty() && !WriteMapPicture(map, RoutePicture(map, route, from, centred), reason))
        return CannotWritePicture(o, reason, err);
    return 0;
}
