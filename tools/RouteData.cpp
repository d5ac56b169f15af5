// SPDX-License-Identifier: MIT
#include "RouteData.h"

#include "CsvText.h"
#include "JsonText.h"
#include "PlanetRecord.h"

#include "model/map/JumpRange.h"
#include "model/map/LightYears.h"
#include "model/map/StarMap.h"

#include <vector>

RouteSummary SummaryOf(const CStarMap& map, const CRoute& route)
{
    RouteSummary s;
    for (const CRouteLeg& leg : route.legs) {
        s.lightYears += leg.lightYears;
        s.tenths += TenthsOfLightYears(leg.length);
        if (s.longest == nullptr || leg.length > s.longest->length)
            s.longest = &leg;
    }
    if (s.longest != nullptr) {
        const CPlanet& a = map.GetPlanet(s.longest->from);
        const CPlanet& b = map.GetPlanet(s.longest->to);
        s.longestTenths = TenthsOfLightYears(s.longest->length);
        s.leastJumpTenths = CJumpRange::TenthsToJump(CPoint(a.m_x, a.m_y), CPoint(b.m_x, b.m_y));
    }
    return s;
}

namespace {

// The fields of one end of a leg, in the order of the CSV's columns.
std::vector<std::string> EndFields(const PlanetRecord& r)
{
    return {r.name, std::to_string(r.x), std::to_string(r.y), r.faction, r.legend};
}

std::string EndJson(const PlanetRecord& r)
{
    return "{\"name\": " + JsonString(r.name) + ", \"x\": " + std::to_string(r.x) + ", \"y\": " + std::to_string(r.y) +
           ", \"faction\": " + JsonString(r.faction) + ", \"legend\": " + JsonString(r.legend) + "}";
}

} // namespace

// One row a leg, numbered from 1; then a row whose leg is "total", with
// no planets and the legs' figures added.
std::string RouteCsv(const CStarMap& map, const CRoute& route)
{
    CPlanetRecords records(map);
    std::string text = CsvRow({"leg", "from", "from_x", "from_y", "from_faction", "from_legend", "to", "to_x", "to_y",
                               "to_faction", "to_legend", "light_years", "tenths"});
    for (std::size_t i = 0; i < route.legs.size(); ++i) {
        const CRouteLeg& leg = route.legs[i];
        std::vector<std::string> row = {std::to_string(i + 1)};
        for (const std::vector<std::string>& end : {EndFields(records.Of(leg.from)), EndFields(records.Of(leg.to))})
            row.insert(row.end(), end.begin(), end.end());
        row.push_back(std::to_string(leg.lightYears));
        row.push_back(TenthsText(TenthsOfLightYears(leg.length)));
        text += CsvRow(row);
    }
    const RouteSummary s = SummaryOf(map, route);
    std::vector<std::string> total(13);
    total[0] = "total";
    total[11] = std::to_string(s.lightYears);
    total[12] = TenthsText(s.tenths);
    return text + CsvRow(total);
}

std::string RouteJson(const CStarMap& map, const CRoute& route)
{
    CPlanetRecords records(map);
    std::string text = "{\n  \"legs\": [";
    for (std::size_t i = 0; i < route.legs.size(); ++i) {
        const CRouteLeg& leg = route.legs[i];
        text += std::string(i == 0 ? "\n    " : ",\n    ") + "{\"from\": " + EndJson(records.Of(leg.from)) +
                ", \"to\": " + EndJson(records.Of(leg.to)) + ", \"light_years\": " + std::to_string(leg.lightYears) +
                ", \"tenths\": " + TenthsText(TenthsOfLightYears(leg.length)) + "}";
    }
    const RouteSummary s = SummaryOf(map, route);
    text += route.legs.empty() ? "],\n" : "\n  ],\n";
    text += "  \"total\": {\"jumps\": " + std::to_string(route.legs.size()) +
            ", \"light_years\": " + std::to_string(s.lightYears) + ", \"tenths\": " + TenthsText(s.tenths) + "},\n";
    if (s.longest == nullptr)
        return text + "  \"longest\": null\n}\n";
    return text + "  \"longest\": {\"tenths\": " + TenthsText(s.longestTenths) +
           ", \"least_jump\": " + TenthsText(std::int64_t(s.leastJumpTenths)) + "}\n}\n";
}
