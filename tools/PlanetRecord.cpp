// SPDX-License-Identifier: MIT
#include "PlanetRecord.h"

#include "model/map/FactionTable.h"
#include "model/map/StarMap.h"

#include "platform/surface/TextEncoding.h"


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
    static const char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (int component : {GetRValue(colour), GetGValue(colour), GetBValue(colour)}) {
        text += kHex[component >> 4];
        text += kHex[component & 0xF];
    }
    return text;
}

// Bytes below 0x80 are the same characters in both encodings a map may
// have, and most names hold no others: those are taken as they are.
std::string Decoded(const std::string& bytes, CTextEncoding encoding)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return ToUtf8(bytes, encoding);
    return bytes;
}

} // namespace

PlanetRecord RecordOf(const CStarMap& map, std::int16_t planet)
{
    return CPlanetRecords(map).Of(planet);
}

PlanetRecord CPlanetRecords::Of(std::int16_t planet)
{
    const CPlanet& p = m_map.GetPlanet(planet);
    auto faction = m_factions.find(p.m_strFaction);
    if (faction == m_factions.end()) {
        Faction f{LegendName(p.m_strFaction), ColourText(kPenColors[LookUpFactionPen(p.m_strFaction.c_str())])};
        faction = m_factions.emplace(p.m_strFaction, std::move(f)).first;
    }
    PlanetRecord r;
    r.name = Decoded(p.m_strName, m_map.GetTextEncoding());
    // The loader stored ten times x and minus ten times y, both exact.
    r.x = std::int64_t(p.m_x) / 10;
    r.y = -(std::int64_t(p.m_y) / 10);
    r.faction = Decoded(p.m_strFaction, m_map.GetTextEncoding());
    r.legend = faction->second.legend;
    r.colour = faction->second.colour;
    return r;
}
