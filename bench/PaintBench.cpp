// One full repaint of a 1920 x 1080 back buffer at three zooms, through the
// fast surface and through the plain reference surface in the same run.

#include "BenchMaps.h"

#include "model/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/ReferenceDC.h"

#include <benchmark/benchmark.h>

namespace {

template <class DC>
void BM_Paint(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    CStarMap& map = BenchMap(int(state.range(1)));
    CImage image(kClientWidth, kClientHeight);
    CDC::FlushCaches();
    // The first paint at a zoom fills the fast surface's caches; what is
    // measured is every paint after it, as while the window is exposed,
    // scrolled back or rubber-banded over.
    Repaint<DC>(image, map, zoom);
    for (auto _ : state)
        Repaint<DC>(image, map, zoom);
    state.counters["extent"] = zoom;
}

// The first paint after the caches were emptied: a new zoom.
void BM_PaintCold(benchmark::State& state)
{
    const int zoom = int(state.range(0));
    CStarMap& map = BenchMap(int(state.range(1)));
    CImage image(kClientWidth, kClientHeight);
    for (auto _ : state) {
        CDC::FlushCaches();
        Repaint<CDC>(image, map, zoom);
    }
}

void PaintArgs(benchmark::internal::Benchmark* b)
{
    for (int zoom : {12500, 1562, 195})
        b->Args({zoom, 32767});
    b->Args({12500, 1000});
    b->Args({12500, 10000});
    b->ArgNames({"extent", "planets"});
}

} // namespace

BENCHMARK(BM_Paint<CDC>)->Name("BM_PaintFast")->Apply(PaintArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint<CReferenceDC>)->Name("BM_PaintReference")->Apply(PaintArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintCold)
    ->Args({12500, 32767})
    ->Args({1562, 32767})
    ->ArgNames({"extent", "planets"})
    ->Unit(benchmark::kMillisecond);
