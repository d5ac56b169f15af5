// SPDX-License-Identifier: MIT
// Finding planets: what lies under the pointer (the view's hover text) and
// the names suggested as the user types in Center On (the function the
// dialog calls), on the realistic, packed and stacked benchmark maps, with
// the memory each structure holds and the time to build it.

#include "AllocationCounter.h"
#include "BenchMaps.h"
#include "FindBenchMaps.h"

#include "view/CenterOnSuggestions.h"
#include "view/MapViewport.h"
#include "view/PlanetHover.h"

#include "model/find/NameSuggestions.h"
#include "model/find/PlanetIndex.h"
#include "model/map/StarMap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <random>
#include <vector>

namespace {

// The scroll-bar metric the view takes off its client area.
constexpr int kScrollBar = 16;

// Views centred on random planets at the given zoom, and the pointer a few
// pixels off each: the view's own question for a pointer at rest.
struct HoverCase {
    CMapViewport viewport;
    CPoint pointer;
};

std::vector<HoverCase> HoverCases(const CStarMap& map, int zoom)
{
    std::mt19937 random(zoom);
    std::uniform_int_distribution<int> off(-6, 6);
    std::vector<HoverCase> cases;
    for (int i = 0; i < 256; ++i) {
        const CPlanet& planet = map.GetPlanet(std::int16_t(random() % unsigned(map.GetPlanetCount())));
        CMapViewport viewport(CSize(zoom, zoom), CPoint(planet.m_x, planet.m_y), CSize(kClientWidth, kClientHeight),
                              CSize(kScrollBar, kScrollBar));
        CPoint middle((kClientWidth - kScrollBar) / 2, (kClientHeight - kScrollBar) / 2);
        cases.push_back({viewport, CPoint(middle.x + off(random), middle.y + off(random))});
    }
    return cases;
}

void BM_Hover(benchmark::State& state)
{
    const CStarMap& map = BenchMap(FindBenchMap(state.range(0)));
    const CPlanetIndex index(map);  // built once per map, as the view keeps it; its cost is BM_Build<CPlanetIndex>
    std::vector<HoverCase> cases = HoverCases(map, int(state.range(1)));
    std::size_t i = 0;
    double lines = 0;
    for (auto _ : state) {
        const HoverCase& c = cases[i++ % cases.size()];
        std::string text = HoverText(map, index, c.viewport, c.pointer);
        lines += double(std::count(text.begin(), text.end(), '\n') + (text.empty() ? 0 : 1));
        benchmark::DoNotOptimize(text);
    }
    state.counters["tip_lines"] = lines / double(state.iterations());
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

// Prefixes of real names, typed in lower case: one keystroke each.
std::vector<std::string> Typed(const CStarMap& map, int length)
{
    std::mt19937 random{unsigned(length)};
    std::vector<std::string> typed;
    for (int i = 0; i < 16; ++i) {
        std::string name = map.GetPlanet(std::int16_t(random() % unsigned(map.GetPlanetCount()))).m_strName;
        name.resize(std::min(name.size(), std::size_t(length)));
        for (char& c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        typed.push_back(name);
    }
    return typed;
}

void BM_SuggestKeystroke(benchmark::State& state)
{
    const CStarMap& map = BenchMap(FindBenchMap(state.range(0)));
    // Folded once per map, as the view keeps them; their cost is BM_Build<CNameSuggestions>.
    const CNameSuggestions suggestions(map);
    std::vector<std::string> typed = Typed(map, int(state.range(1)));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SuggestPlanetNames(map, suggestions, typed[i++ % typed.size()]));
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

// Building each structure once, and what it holds per planet.
template <class Built>
void BM_Build(benchmark::State& state)
{
    const CStarMap& map = BenchMap(FindBenchMap(state.range(0)));
    double bytes = 0;
    for (auto _ : state) {
        std::size_t before = AllocatedBytes();
        auto built = std::make_unique<Built>(map);
        bytes = double(AllocatedBytes() - before);
        benchmark::DoNotOptimize(built);
    }
    state.counters["bytes_per_planet"] = bytes / map.GetPlanetCount();
    state.SetLabel(BenchMapKindName(FindBenchMap(state.range(0))));
}

void MapsAndZooms(benchmark::internal::Benchmark* b)
{
    for (int map = 0; map < kFindBenchMapCount; ++map)
        for (int zoom : {12500, 1562, 195, 24})
            b->Args({map, zoom});
}

void MapsAndLengths(benchmark::internal::Benchmark* b)
{
    for (int map = 0; map < kFindBenchMapCount; ++map)
        for (int length : {1, 2, 3, 6})
            b->Args({map, length});
}

} // namespace

BENCHMARK(BM_Hover)->Apply(MapsAndZooms)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuggestKeystroke)->Apply(MapsAndLengths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build<CPlanetIndex>)->DenseRange(0, kFindBenchMapCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build<CNameSuggestions>)->DenseRange(0, kFindBenchMapCount - 1)->Unit(benchmark::kMillisecond);
