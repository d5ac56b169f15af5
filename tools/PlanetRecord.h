// SPDX-License-Identifier: MIT
#pragma once

// One planet as kestrin-render hands it to other programs: its name as
// UTF-8 (read by the map's encoding), its coordinates as the file wrote
// them (map units over ten, y turned back), its faction code, the legend's
// name for that code (empty when the legend has none) and the colour of
// its pen as "#rrggbb".

#include <cstdint>
#include <string>
#include <unordered_map>

class CStarMap;

struct PlanetRecord {
    std::string name;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::string faction;
    std::string legend;
    std::string colour;
};

PlanetRecord RecordOf(const CStarMap& map, std::int16_t planet);

// The records of one map, one after another: a faction code's legend name
// and colour are looked up in the tables once per code, not per planet.
class CPlanetRecords {
public:
    explicit CPlanetRecords(const CStarMap& map) : m_map(map) {}
    PlanetRecord Of(std::int16_t planet);

private:
    struct Faction {
        std::string legend;
        std::string colour;
    };
    const CStarMap& m_map;
    std::unordered_map<std::string, Faction> m_factions;
};
