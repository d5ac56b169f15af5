#include "CenterOnSuggestions.h"

#include "model/NameSuggestions.h"
#include "model/StarMap.h"

#include "platform/surface/TextEncoding.h"

std::vector<std::string> SuggestPlanetNames(const CStarMap& map, const std::string& typed)
{
    std::vector<std::string> names;
    for (std::int16_t i : map.GetNameSuggestions().Suggest(typed))
        names.push_back(ToUtf8(map.GetPlanet(i).m_strName, map.GetTextEncoding()));
    return names;
}
