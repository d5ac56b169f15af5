// SPDX-License-Identifier: MIT
#include "NameSuggestions.h"

#include "CaseFold.h"
#include "model/map/StarMap.h"

#include <optional>

namespace {
constexpr int kGroups = 4;
constexpr int kExact = 0, kPrefix = 1, kWordStart = 2, kInside = 3;
} // namespace

// The suggestions of each group so far, each name once.
struct CNameSuggestions::Groups {
    const CStarMap& map;
    std::size_t limit;
    std::vector<std::int16_t> members[kGroups];

    void Add(int group, std::int16_t planet)
    {
        std::vector<std::int16_t>& list = members[group];
        if (list.size() >= limit)
            return;
        // A name given twice falls in the same group both times, so looking
        // among that group's few members is enough.
        const std::string& name = map.GetPlanet(planet).m_strName;
        for (std::int16_t other : list)
            if (map.GetPlanet(other).m_strName == name)
                return;
        list.push_back(planet);
    }

    std::vector<std::int16_t> Joined() const
    {
        std::vector<std::int16_t> joined;
        for (const std::vector<std::int16_t>& list : members)
            for (std::int16_t planet : list)
                if (joined.size() < limit)
                    joined.push_back(planet);
        return joined;
    }
};

CNameSuggestions::CNameSuggestions(const CStarMap& map) : m_map(map), m_encoding(map.GetTextEncoding())
{
    std::int16_t count = map.GetPlanetCount();
    m_start.reserve(std::size_t(count) + 1);
    for (std::int16_t i = 0; i < count; ++i) {
        m_start.push_back(static_cast<std::uint32_t>(m_folded.size()));
        m_folded += FoldCase(ToUtf8(map.GetPlanet(i).m_strName, m_encoding));
        m_folded += '\n';  // no name holds one: the delimiter ends every token
    }
    m_start.push_back(static_cast<std::uint32_t>(m_folded.size()));
}

int CNameSuggestions::GroupOf(std::int16_t planet, std::size_t hit, std::string_view needle,
                              const std::string* exact) const
{
    std::size_t begin = m_start[std::size_t(planet)];
    if (hit == begin)
        return exact != nullptr && m_map.GetPlanet(planet).m_strName == *exact ? kExact : kPrefix;
    std::string_view name(m_folded.data() + begin, m_start[std::size_t(planet) + 1] - 1 - begin);
    for (std::size_t at = hit - begin; at != std::string_view::npos; at = name.find(needle, at + 1))
        if (name[at - 1] == ' ')
            return kWordStart;
    return kInside;
}

std::vector<std::int16_t> CNameSuggestions::Suggest(std::string_view typed, int limit) const
{
    if (typed.empty() || limit <= 0)
        return {};
    std::string needle = FoldCase(ToUtf8(typed, CTextEncoding::Utf8));
    if (needle.find('\n') != std::string::npos)
        return {};
    // Text with a character the map's encoding lacks can still match
    // folded, but never exactly.
    std::optional<std::string> exact = FromUtf8(typed, m_encoding);
    Groups groups{m_map, std::size_t(limit), {}};
    std::size_t planet = 0;
    for (std::size_t hit = m_folded.find(needle); hit != std::string::npos;) {
        while (m_start[planet + 1] <= hit)
            ++planet;
        auto index = static_cast<std::int16_t>(planet);
        groups.Add(GroupOf(index, hit, needle, exact ? &*exact : nullptr), index);
        hit = m_folded.find(needle, m_start[planet + 1]);
    }
    return groups.Joined();
}
