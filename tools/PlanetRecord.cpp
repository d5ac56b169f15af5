#include "PlanetRecord.h"

#include "model/FactionTable.h"
#include "model/StarMap.h"

#include "platform/surface/TextEncoding.h"

#include <cstdio>

namespace {

std::string LegendName(const std::string& code)
{
    for (const LegendRow& row : kLegendRows)
        if (code == row.code)
            return row.text;
    return std::string();
}

// A colour 0x00BBGGRR as "#rrggbb".
std::string ColourText(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace

PlanetRecord RecordOf(const CStarMap& map, std::int16_t planet)
{
    const CPlanet& p = map.GetPlanet(planet);
    PlanetRecord r;
    r.name = ToUtf8(p.m_strName, map.GetTextEncoding());
    // The loader stored ten times x and minus ten times y, both exact.
    r.x = std::int64_t(p.m_x) / 10;
    r.y = -(std::int64_t(p.m_y) / 10);
    r.faction = ToUtf8(p.m_strFaction, map.GetTextEncoding());
    r.legend = LegendName(p.m_strFaction);
    r.colour = ColourText(kPenColors[LookUpFactionPen(p.m_strFaction.c_str())]);
    return r;
}
