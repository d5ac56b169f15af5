// SPDX-License-Identifier: MIT
// Routes by jump range across the realistic, packed and stacked benchmark
// maps, from one corner of the planets to the opposite one, at ranges from
// 1 to 700 light years; the least range between the same corners; and a
// check of a whole data file.

#include "BenchMaps.h"
#include "FindBenchMaps.h"

#include "model/check/DataFileCheck.h"
#include "model/find/PlanetIndex.h"
#include "model/route/RouteFinder.h"
#include "model/map/StarMap.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Route(benchmark::State& state)
{
    const CStarMap& map = BenchMap(FindBenchMap(state.range(0)));
    const CPlanetIndex index(map);  // built once per command; its cost is BM_Build<CPlanetIndex>
    std::int16_t from = FindMapCorner(map, -1), to = FindMapCorner(map, 1);
    if (FindBenchMap(state.range(0)) == BenchMapKind::Stacked)
        from = 0, to = std::int16_t(map.GetPlanetCount() - 1);
    CJumpRange range = CJumpRange::FromLightYears(state.range(1));
    CRoute route;
    for (auto _ : state)
        benchmark::DoNotOptimize(route = FindRoute(map, index, from, to, range));
    state.counters["jumps"] = double(route.legs.size());
    state.counters["found"] = route.found;
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

void MapsAndRanges(benchmark::internal::Benchmark* b)
{
    for (int map = 0; map < kFindBenchMapCount; ++map)
        for (int range : {1, 2, 5, 10, 20, 35, 50, 100, 200, 350, 700})
            b->Args({map, range});
}

// The least range that finds a route between the two corners, which
// --route names when there is none.
void BM_LeastRange(benchmark::State& state)
{
    const CStarMap& map = BenchMap(FindBenchMap(state.range(0)));
    const CPlanetIndex index(map);
    std::int16_t from = FindMapCorner(map, -1), to = FindMapCorner(map, 1);
    if (FindBenchMap(state.range(0)) == BenchMapKind::Stacked)
        from = 0, to = std::int16_t(map.GetPlanetCount() - 1);
    std::uint64_t tenths = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(tenths = LeastRangeTenths(map, index, from, to));
    state.counters["tenths"] = double(tenths);
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

void BM_CheckDataFile(benchmark::State& state)
{
    const std::string& path = BenchMapPath(FindBenchMap(state.range(0)));
    CCheckReport report;
    for (auto _ : state)
        benchmark::DoNotOptimize(report = CheckDataFile(path.c_str()));
    state.counters["warnings"] = report.warnings;
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

} // namespace

BENCHMARK(BM_Route)->Apply(MapsAndRanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeastRange)->DenseRange(0, kFindBenchMapCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDataFile)->DenseRange(0, kFindBenchMapCount - 1)->Unit(benchmark::kMillisecond);
