// SPDX-License-Identifier: MIT
#include "NearCommand.h"

#include "CsvText.h"
#include "JsonText.h"
#include "NamedMap.h"
#include "PlanetRecord.h"
#include "RangeRing.h"
#include "TypedNames.h"

#include "model/map/LightYears.h"
#include "model/find/PlanetIndex.h"
#include "model/route/RouteFinder.h"
#include "model/map/StarMap.h"
#include "view/MapViewport.h"

namespace {

CPoint PositionOf(const CStarMap& map, std::int16_t planet)
{
    return CPoint(map.GetPlanet(planet).m_x, map.GetPlanet(planet).m_y);
}

std::string JumpsText(int jumps)
{
    if (jumps < 0)
        return "unreachable";
    return std::to_string(jumps) + (jumps == 1 ? " jump" : " jumps");
}

std::string NearText(const CStarMap& map, const std::vector<Neighbour>& list, bool jumps)
{
    std::string text;
    for (const Neighbour& n : list) {
        const PlanetRecord r = RecordOf(map, n.planet);
        text += ShownName(map, map.GetPlanet(n.planet).m_strName) + ": " + std::to_string(n.lightYears) +
                " Light Years (" + TenthsText(n.tenths) + "), " + ShownName(map, map.GetPlanet(n.planet).m_strFaction) +
                " at " + std::to_string(r.x) + ", " + std::to_string(r.y) + (jumps ? ", " + JumpsText(n.jumps) : "") +
                "\n";
    }
    return text;
}

std::string NearCsv(const CStarMap& map, const std::vector<Neighbour>& list, bool jumps)
{
    std::vector<std::string> header = {"name", "light_years", "tenths", "faction", "x", "y"};
    if (jumps)
        header.push_back("jumps");
    std::string text = CsvRow(header);
    for (const Neighbour& n : list) {
        const PlanetRecord r = RecordOf(map, n.planet);
        std::vector<std::string> row = {r.name, std::to_string(n.lightYears), TenthsText(n.tenths), r.faction,
                                        std::to_string(r.x), std::to_string(r.y)};
        if (jumps)
            row.push_back(n.jumps < 0 ? "unreachable" : std::to_string(n.jumps));
        text += CsvRow(row);
    }
    return text;
}

std::string NearJson(const CStarMap& map, std::int16_t from, const std::vector<Neighbour>& list, bool jumps)
{
    std::string text = "{\n  \"from\": " + JsonString(RecordOf(map, from).name) + ",\n  \"planets\": [";
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Neighbour& n = list[i];
        const PlanetRecord r = RecordOf(map, n.planet);
        text += std::string(i == 0 ? "\n    " : ",\n    ") + "{\"name\": " + JsonString(r.name) +
                ", \"light_years\": " + std::to_string(n.lightYears) + ", \"tenths\": " + TenthsText(n.tenths) +
                ", \"faction\": " + JsonString(r.faction) + ", \"x\": " + std::to_string(r.x) +
                ", \"y\": " + std::to_string(r.y);
        if (jumps)
            text += ", \"jumps\": " + (n.jumps < 0 ? std::string("null") : std::to_string(n.jumps));
        text += "}";
    }
    return text + (list.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

// The options of the picture: the ring of the range around the planet,
// centred on it unless a centre was asked for, and fitted into the
// picture with the route's margin unless a zoom was.
RenderOptions NearPicture(const CStarMap& map, std::int16_t from, const RenderOptions& o)
{
    const CPoint centre = PositionOf(map, from);
    RenderOptions picture = o;
    picture.ring = RangeRingSquare(centre, o.within->Thousandths());
    if (!o.centerGiven)
        picture.center = centre;
    if (!o.zoomGiven) {
        const CRect square = picture.ring.value_or(CRect(centre.x, centre.y, centre.x, centre.y));
        const CMapViewport fitted = CMapViewport::Fitting(CPoint(square.left, square.top),
                                                          CPoint(square.right, square.bottom), o.size);
        picture.zoom = fitted.GetZoom();
    }
    return picture;
}

} // namespace

std::vector<Neighbour> NeighboursOf(const CStarMap& map, std::int16_t from, const CJumpRange& range,
                                    const std::optional<CJumpRange>& jump)
{
    const CPoint centre = PositionOf(map, from);
    const CPlanetIndex index(map);  // for this run alone: the planets in range and their jumps
    const CNearbyPlanets near = index.Near(range.Around(centre), map.GetPlanetCount());
    const std::vector<int> jumps = jump ? JumpsFrom(map, index, from, *jump) : std::vector<int>();
    std::vector<Neighbour> list;
    list.reserve(near.nearest.size());
    for (std::int16_t planet : near.nearest) {
        if (planet == from)
            continue;
        const CPoint p = PositionOf(map, planet);
        Neighbour n{planet, WholeLightYears(centre, p), TenthsOfLightYears(MapDistance(centre, p)), -1};
        if (jump)
            n.jumps = jumps[std::size_t(planet)];
        list.push_back(n);
    }
    return list;
}

int RunNear(const RenderOptions& o, std::ostream& out, std::ostream& err)
{
    CStarMap map;
    NamedPlanets named;
    if (!LoadNamedPlanets(o, {*o.nearName}, map, named, err))
        return 2;
    const std::int16_t from = named.planets.front();
    const std::vector<Neighbour> list = NeighboursOf(map, from, *o.within, o.jump);
    const bool jumps = o.jump.has_value();
    std::string text = o.format == "json" ? NearJson(map, from, list, jumps)
                       : o.format == "csv" ? NearCsv(map, list, jumps)
                                           : NearText(map, list, jumps);
    return WriteAnswerAndPicture(map, o, text, NearPicture(map, from, named.options), out, err);
}
