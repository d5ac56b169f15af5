// Finding planets: what lies under the pointer (the hover look-up) and the
// names suggested as the user types in Center On, on the three find maps,
// with the memory each structure holds and the time to build it.

#include "AllocationCounter.h"
#include "FindMaps.h"

#include "model/NameSuggestions.h"
#include "model/PlanetIndex.h"
#include "model/StarMap.h"

#include <benchmark/benchmark.h>

#include <cctype>
#include <memory>
#include <random>
#include <vector>

namespace {

// The view's client area at 1920 x 1080 less the scroll bars, under the
// isotropic mapping: `num` device pixels to `den` map units.
constexpr int kClientWidth = 1904, kClientHeight = 1064;

// The disc the view asks about for a pointer at (px, py) when the view is
// centred on `centre` with window extent `zoom`: within 4 pixels of a
// planet's circle, or of its dot when the circle is under 2 pixels across.
CMapDisc HoverDisc(int px, int py, CPoint centre, int zoom)
{
    const std::int64_t num = kClientHeight, den = zoom;
    std::int64_t x = std::int64_t(px - kClientWidth / 2) * den + std::int64_t(centre.x) * num;
    std::int64_t y = std::int64_t(py - kClientHeight / 2) * den + std::int64_t(centre.y) * num;
    bool dot = 10 * num < 2 * den;
    return CMapDisc::Scaled(x, y, dot ? 4 * den : 5 * num + 4 * den, num);
}

// A view centred on a random planet, the pointer a few pixels off it.
std::vector<CMapDisc> HoverDiscs(const CStarMap& map, int zoom)
{
    std::mt19937 random(zoom);
    std::uniform_int_distribution<int> off(-6, 6);
    std::vector<CMapDisc> discs;
    for (int i = 0; i < 256; ++i) {
        const CPlanet& planet = map.GetPlanet(std::int16_t(random() % unsigned(map.GetPlanetCount())));
        discs.push_back(HoverDisc(kClientWidth / 2 + off(random), kClientHeight / 2 + off(random),
                                  CPoint(planet.m_x, planet.m_y), zoom));
    }
    return discs;
}

void BM_Hover(benchmark::State& state)
{
    const CStarMap& map = LoadedFindMap(FindMap(state.range(0)));
    const CPlanetIndex& index = map.GetPlanetIndex();
    std::vector<CMapDisc> discs = HoverDiscs(map, int(state.range(1)));
    std::size_t i = 0;
    double under = 0;
    for (auto _ : state) {
        CNearbyPlanets near = index.Near(discs[i++ % discs.size()], 5);
        under += double(near.nearest.size()) + near.more;
        benchmark::DoNotOptimize(near);
    }
    state.counters["planets_under"] = under / double(state.iterations());
    state.SetLabel(FindMapName(FindMap(state.range(0))));
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
    const CStarMap& map = LoadedFindMap(FindMap(state.range(0)));
    CNameSuggestions suggestions(map);
    std::vector<std::string> typed = Typed(map, int(state.range(1)));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(suggestions.Suggest(typed[i++ % typed.size()]));
    state.SetLabel(FindMapName(FindMap(state.range(0))));
}

// Building each structure once, and what it holds per planet.
template <class Built>
void BM_Build(benchmark::State& state)
{
    const CStarMap& map = LoadedFindMap(FindMap(state.range(0)));
    double bytes = 0;
    for (auto _ : state) {
        std::size_t before = AllocatedBytes();
        auto built = std::make_unique<Built>(map);
        bytes = double(AllocatedBytes() - before);
        benchmark::DoNotOptimize(built);
    }
    state.counters["bytes_per_planet"] = bytes / map.GetPlanetCount();
    state.SetLabel(FindMapName(FindMap(state.range(0))));
}

void MapsAndZooms(benchmark::internal::Benchmark* b)
{
    for (int map = 0; map < 3; ++map)
        for (int zoom : {12500, 1562, 195, 24})
            b->Args({map, zoom});
}

void MapsAndLengths(benchmark::internal::Benchmark* b)
{
    for (int map = 0; map < 3; ++map)
        for (int length : {1, 2, 3, 6})
            b->Args({map, length});
}

} // namespace

BENCHMARK(BM_Hover)->Apply(MapsAndZooms)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuggestKeystroke)->Apply(MapsAndLengths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build<CPlanetIndex>)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build<CNameSuggestions>)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
