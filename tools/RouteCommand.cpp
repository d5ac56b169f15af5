#include "RouteCommand.h"

#include "MapPicture.h"
#include "PictureTarget.h"

#include "model/NameSuggestions.h"
#include "model/RouteFinder.h"
#include "model/StarMap.h"
#include "view/MapViewport.h"

#include "platform/surface/TextEscape.h"
#include "platform/surface/TextEncoding.h"

#include <algorithm>
#include <optional>

namespace {

// A planet's name for the terminal: UTF-8, control bytes escaped.
std::string Shown(const CStarMap& map, std::int16_t planet)
{
    return EscapeShown(ToUtf8(map.GetPlanet(planet).m_strName, map.GetTextEncoding()));
}

// The planet named typed (UTF-8), converted into the map's encoding as
// Center On converts it; -1 when no planet has that name.
std::int16_t PlanetNamed(const CStarMap& map, const std::string& typed)
{
    std::optional<std::string> name = FromUtf8(typed, map.GetTextEncoding());
    return name ? map.FindPlanetIndex(*name) : std::int16_t(-1);
}

int UnknownName(const CStarMap& map, const std::string& typed, std::ostream& err)
{
    err << "kestrin-render: no planet is named \"" << EscapeShown(typed) << "\"";
    std::vector<std::int16_t> suggestions = CNameSuggestions(map).Suggest(typed, 3);
    const char* separator = "; did you mean ";
    for (std::int16_t planet : suggestions) {
        err << separator << '"' << Shown(map, planet) << '"';
        separator = ", ";
    }
    err << (suggestions.empty() ? "\n" : "?\n");
    return 2;
}

// As a measure line's label reads.
std::string LightYearsText(std::int64_t lightYears)
{
    return std::to_string(lightYears) + " Light Years";
}

void WriteLegs(const CStarMap& map, const CRoute& route, std::ostream& out)
{
    for (const CRouteLeg& leg : route.legs)
        out << Shown(map, leg.from) << " -> " << Shown(map, leg.to) << ": " << LightYearsText(leg.lightYears) << '\n';
    out << "Total: " << LightYearsText(route.LightYears()) << " in " << route.legs.size()
        << (route.legs.size() == 1 ? " jump\n" : " jumps\n");
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

int NoRoute(const CStarMap& map, const RenderOptions& o, const CRoute& route, std::int16_t to, std::ostream& err)
{
    err << "kestrin-render: no route from \"" << EscapeShown(o.routeFrom) << "\" to \"" << EscapeShown(o.routeTo)
        << "\" with jumps of at most " << RangeText(*o.jump) << " light years";
    if (route.nearest >= 0 && route.nearest != to)
        err << "; the nearest to \"" << Shown(map, to) << "\" that can be reached is \"" << Shown(map, route.nearest)
            << "\", " << LightYearsText(route.nearestLightYears) << " from it";
    err << '\n';
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
        if (diagnostic.cause == CLoadDiagnostic::Cause::CannotOpen) {
            err << "kestrin-render: cannot open " << o.input << '\n';
            return 2;
        }
        // As in the viewer, the planets above the bad line are the map.
        err << o.input << ':' << diagnostic.line << ": " << CLoadDiagnostic::Describe(diagnostic.cause)
            << " (the planets below it are left out)\n";
    }
    const std::int16_t from = PlanetNamed(map, o.routeFrom);
    if (from < 0)
        return UnknownName(map, o.routeFrom, err);
    const std::int16_t to = PlanetNamed(map, o.routeTo);
    if (to < 0)
        return UnknownName(map, o.routeTo, err);
    CRoute route = FindRoute(map, from, to, *o.jump);
    if (!route.found)
        return NoRoute(map, o, route, to, err);
    WriteLegs(map, route, out);
    if (!o.output.empty() && !WriteMapPicture(map, RoutePicture(map, route, from, o), reason))
        return CannotWritePicture(o, reason, err);
    return 0;
}
