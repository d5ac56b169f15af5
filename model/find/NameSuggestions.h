// SPDX-License-Identifier: MIT
#pragma once

// Planet names that match what the user has typed so far, for the list
// under the Center On field and for the suggestions of a route whose name
// no planet has. Matching groups, best first:
//   1. the exact name, byte for byte in the map's encoding, as FindPlanet
//      compares it;
//   2. names that start with the text, ignoring case;
//   3. names with a later word (after a space) that starts with it;
//   4. names that contain it anywhere.
// Case is ignored for every letter that CaseFold knows, in both encodings.
// Within a group the names come in file order, and each name comes once,
// as its first planet. Only the lookup of the chosen name stays exact:
// suggestions never change what FindPlanet finds.

#include "platform/surface/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CStarMap;

class CNameSuggestions {
public:
    static constexpr int kMaxSuggestions = 12;

    // Folds every name once. The map must outlive this object; its planets
    // never change after the load.
    explicit CNameSuggestions(const CStarMap& map);

    // Planet indices for the text typed so far (UTF-8, as the user typed
    // it): at most limit, best first. Empty text suggests nothing.
    std::vector<std::int16_t> Suggest(std::string_view typed, int limit = kMaxSuggestions) const;

private:
    struct Groups;
    int GroupOf(std::int16_t planet, std::size_t hit, std::string_view needle,
                const std::string* exact) const;

    const CStarMap& m_map;
    CTextEncoding m_encoding;
    std::string m_folded;                // every name folded, each followed by a line feed
    std::vector<std::uint32_t> m_start;  // where each planet's folded name starts; one more at the end
};
