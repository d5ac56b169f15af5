// SPDX-License-Identifier: MIT
#pragma once

// The maps the find and route benchmarks run on, by their benchmark
// argument: the realistic, packed and stacked benchmark maps.

#include "BenchMapKinds.h"

#include "model/map/StarMap.h"

#include <cstdint>

inline constexpr BenchMapKind kFindBenchMaps[] = {BenchMapKind::Realistic, BenchMapKind::Packed,
                                                  BenchMapKind::Stacked};
inline constexpr int kFindBenchMapCount = 3;

inline BenchMapKind FindBenchMap(std::int64_t arg)
{
    return kFindBenchMaps[arg];
}

// The planet nearest to a corner of the map's bounding box (sign -1: the
// lower left in map units, +1: the upper right), first in the file of
// equal ones: the ends of the route benchmarks.
inline std::int16_t FindMapCorner(const CStarMap& map, int sign)
{
    std::int16_t best = 0;
    auto reach = [&](std::int16_t i) {
        return double(sign) * (double(map.GetPlanet(i).m_x) + double(map.GetPlanet(i).m_y));
    };
    for (std::int16_t i = 1; i < map.GetPlanetCount(); ++i)
        if (reach(i) > reach(best))
            best = i;
    return best;
}
