#pragma once

// The maps the find and route benchmarks run on, by their benchmark
// argument: the realistic, packed and stacked benchmark maps.

#include "BenchMapKinds.h"

#include <cstdint>

inline constexpr BenchMapKind kFindBenchMaps[] = {BenchMapKind::Realistic, BenchMapKind::Packed,
                                                  BenchMapKind::Stacked};
inline constexpr int kFindBenchMapCount = 3;

inline BenchMapKind FindBenchMap(std::int64_t arg)
{
    return kFindBenchMaps[arg];
}
