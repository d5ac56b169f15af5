#pragma once

// The names offered under the Center On field as the user types: at most
// CNameSuggestions::kMaxSuggestions of them, in its order of groups, each
// name once, as UTF-8 from the map's encoding so that choosing one puts it
// into the field exactly as the file writes it. The map's folded names are
// made on the first call and kept with the map, so each keystroke only
// searches them.

#include <string>
#include <vector>

class CStarMap;

std::vector<std::string> SuggestPlanetNames(const CStarMap& map, const std::string& typed);
