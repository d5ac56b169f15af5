// SPDX-License-Identifier: MIT
#include "WebPayload.h"

#include "model/map/FactionTable.h"
#include "model/map/StarMap.h"

#include "platform/surface/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace {

void PutU8(std::string& out, unsigned v) { out += static_cast<char>(v & 0xFF); }

void PutU16(std::string& out, unsigned v)
{
    PutU8(out, v);
    PutU8(out, v >> 8);
}

void PutU32(std::string& out, std::uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// A short text: its length (at most 65535 bytes; a faction code or a
// legend row is far shorter, and a longer one is cut) and its bytes.
void PutText(std::string& out, const std::string& text)
{
    const std::size_t n = std::min<std::size_t>(text.size(), 0xFFFF);
    PutU16(out, static_cast<unsigned>(n));
    out.append(text, 0, n);
}

// Values as byte planes: every low byte, then every next byte, and so on.
void PutPlanes(std::string& out, const std::vector<std::uint32_t>& values, int bytes)
{
    for (int plane = 0; plane < bytes; ++plane)
        for (std::uint32_t v : values)
            PutU8(out, v >> (8 * plane));
}

// The fewest bytes that hold every value.
int PlanesFor(const std::vector<std::uint32_t>& values)
{
    std::uint32_t all = 0;
    for (std::uint32_t v : values)
        all |= v;
    int bytes = 0;
    for (; all != 0; all >>= 8)
        ++bytes;
    return bytes;
}

// Coordinates (already divided) as their offsets from the least, in as
// few planes as hold the largest offset: the least as i32, the plane
// count as u8, then the planes.
void PutCoordinates(std::string& out, const std::vector<std::int64_t>& values)
{
    const std::int64_t least = values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    std::vector<std::uint32_t> offsets;
    for (std::int64_t v : values)
        offsets.push_back(static_cast<std::uint32_t>(v - least));
    const int planes = PlanesFor(offsets);
    PutU32(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(least)));
    PutU8(out, static_cast<unsigned>(planes));
    PutPlanes(out, offsets, planes);
}

void PutPalette(std::string& out)
{
    PutU8(out, kPenCount);
    for (COLORREF c : kPenColors) {
        PutU8(out, GetRValue(c));
        PutU8(out, GetGValue(c));
        PutU8(out, GetBValue(c));
    }
    PutU8(out, static_cast<unsigned>(kLegendRows.size()));
    for (const LegendRow& row : kLegendRows) {
        PutU8(out, LookUpFactionPen(row.code));
        PutText(out, row.text);
        PutText(out, row.code);
    }
}

int Divisor(const CStarMap& map)
{
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i)
        if (map.GetPlanet(i).m_x % 10 != 0 || map.GetPlanet(i).m_y % 10 != 0)
            return 1;
    return 10;
}

// Each distinct code once, in order of first use; the planets' indices.
std::vector<std::uint32_t> PutCodes(std::string& out, const CStarMap& map)
{
    std::map<std::string, std::uint32_t> seen;
    std::vector<const std::string*> codes;
    std::vector<std::uint32_t> index;
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        const std::string& code = map.GetPlanet(i).m_strFaction;
        auto [at, added] = seen.try_emplace(code, static_cast<std::uint32_t>(codes.size()));
        if (added)
            codes.push_back(&code);
        index.push_back(at->second);
    }
    PutU16(out, static_cast<unsigned>(codes.size()));  // at most 32767 planets, so codes
    for (const std::string* code : codes) {
        PutU8(out, LookUpFactionPen(code->c_str()));
        PutText(out, ToUtf8(*code, map.GetTextEncoding()));
    }
    return index;
}

} // namespace

std::string WebPayload(const CStarMap& map)
{
    const std::int16_t n = map.GetPlanetCount();
    const int divisor = Divisor(map);
    std::string out = "KSW1";
    PutU32(out, static_cast<std::uint32_t>(n));
    PutU32(out, static_cast<std::uint32_t>(divisor));
    PutU8(out, map.GetTextEncoding() == CTextEncoding::Utf8 ? 0 : 1);
    PutPalette(out);
    std::vector<std::uint32_t> codeIndex = PutCodes(out, map);
    std::vector<std::int64_t> xs, ys;
    std::string names;
    for (std::int16_t i = 0; i < n; ++i) {
        const CPlanet& p = map.GetPlanet(i);
        xs.push_back(p.m_x / divisor);
        ys.push_back(p.m_y / divisor);
        if (i > 0)
            names += '\n';
        names += ToUtf8(p.m_strName, map.GetTextEncoding());
    }
    PutCoordinates(out, xs);
    PutCoordinates(out, ys);
    const int codePlanes = PlanesFor(codeIndex);
    PutU8(out, static_cast<unsigned>(codePlanes));
    PutPlanes(out, codeIndex, codePlanes);
    PutU32(out, static_cast<std::uint32_t>(names.size()));
    out += names;
    return out;
}
