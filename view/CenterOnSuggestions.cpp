// SPDX-License-Identifier: MIT
#include "CenterOnSuggestions.h"

#include "model/find/CaseFold.h"
#include "model/map/StarMap.h"

#include "platform/surface/TextEncoding.h"

#include <unordered_set>

std::vector<std::string> SuggestPlanetNames(const CStarMap& map, const CNameSuggestions& suggestions,
                                            const std::string& typed)
{
    std::vector<std::string> names;
    for (std::int16_t i : suggestions.Suggest(typed))
        names.push_back(ToUtf8(map.GetPlanet(i).m_strName, map.GetTextEncoding()));
    return names;
}

CDialog::Suggestions CCenterOnSuggestions::operator()(const std::string& typed)
{
    CDialog::Suggestions offered;
    offered.texts = SuggestPlanetNames(m_map, m_suggestions, typed);
    if (offered.texts.size() < std::size_t(CNameSuggestions::kMaxSuggestions))
        return offered;
    std::size_t all = CountMatches(typed);
    if (all > offered.texts.size())
        offered.leftOut = "and " + std::to_string(all - offered.texts.size()) + " more";
    return offered;
}

std::size_t CCenterOnSuggestions::CountMatches(const std::string& typed)
{
    if (!m_folded) {
        // The suggestions stop at their limit; counting needs every name,
        // once each, as the list gives each name once.
        std::unordered_set<std::string> seen;
        for (std::int16_t i = 0; i < m_map.GetPlanetCount(); ++i) {
            const std::string& name = m_map.GetPlanet(i).m_strName;
            if (seen.insert(name).second)
                m_names += FoldCase(ToUtf8(name, m_map.GetTextEncoding())) + '\n';
        }
        m_folded = true;
    }
    std::string needle = FoldCase(ToUtf8(typed, CTextEncoding::Utf8));
    if (needle.empty() || needle.find('\n') != std::string::npos)
        return 0;
    std::size_t count = 0;
    for (std::size_t hit = m_names.find(needle); hit != std::string::npos;) {
        ++count;
        std::size_t end = m_names.find('\n', hit);
        hit = m_names.find(needle, end + 1);
    }
    return count;
}
