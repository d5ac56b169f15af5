// SPDX-License-Identifier: MIT
#pragma once

// The names offered under the Center On field as the user types: at most
// CNameSuggestions::kMaxSuggestions of them, in its order of groups, each
// name once, as UTF-8 from the map's encoding so that choosing one puts it
// into the field exactly as the file writes it. The names are searched in
// suggestions, folded once from map, so each keystroke only searches them.

#include "model/find/NameSuggestions.h"

#include "platform/framework/Dialog.h"

#include <cstddef>
#include <string>
#include <vector>

class CStarMap;

std::vector<std::string> SuggestPlanetNames(const CStarMap& map, const CNameSuggestions& suggestions,
                                            const std::string& typed);

// The list as the dialog shows it: those names and, when more names match
// than it holds, a last row "and N more". Every name matched by any group
// holds the typed text, case ignored, so the count is of the different
// names that hold it. Made with the dialog from the view's folded names;
// the distinct names it counts in are folded on the first keystroke and
// kept until the dialog ends.
class CCenterOnSuggestions {
public:
    // Both must outlive the dialog.
    CCenterOnSuggestions(const CStarMap& map, const CNameSuggestions& suggestions)
        : m_map(map), m_suggestions(suggestions)
    {
    }
    CDialog::Suggestions operator()(const std::string& typed);

    // How many different names hold typed, case ignored (UTF-8).
    std::size_t CountMatches(const std::string& typed);

private:
    const CStarMap& m_map;
    const CNameSuggestions& m_suggestions;
    bool m_folded = false;
    std::string m_names;  // each different name once, folded, each followed by a line feed
};
