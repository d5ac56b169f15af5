// SPDX-License-Identifier: MIT
// The rubber bands of the mouse gestures over a painted back buffer, as the
// view draws them on a client-area surface: a measuring move erases the old
// exclusive-or line, clamps the new end to the longest measurable line and
// draws it; a zoom-box move erases the old focus rectangle and draws the new
// one. Neither redraws the map, so the planet count must not matter.

#include "BenchMaps.h"

#include "model/map/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "view/KestrinView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kZoom = 12500;

CImage& PaintedBuffer(int planets)
{
    static CImage image(kClientWidth, kClientHeight);
    static int painted = -1;
    if (painted != planets) {
        Repaint<CDC>(image, BenchMap(BenchMapKind::Realistic, planets), kZoom);
        painted = planets;
    }
    return image;
}

// The view's clamp: one-pixel steps toward the start while the line is
// longer than the limit, each measured by the view's own viewport.
CPoint Clamp(CPoint start, CPoint q)
{
    long long steps = std::max(std::llabs(static_cast<long long>(q.x) - start.x),
                               std::llabs(static_cast<long long>(q.y) - start.y)) + 1;
    const CMapViewport viewport = BenchViewport(kZoom);
    while (steps-- > 0 && viewport.LightYearsBetween(start, q) > CKestrinView::kMaxMeasureLightYears) {
        q.x += start.x < q.x ? -1 : 1;
        q.y += start.y < q.y ? -1 : 1;
    }
    return q;
}

void BM_MeasureMove(benchmark::State& state)
{
    CImage& image = PaintedBuffer(int(state.range(0)));
    const CPoint start(900, 500);
    CPoint end = start;
    int step = 0;
    for (auto _ : state) {
        // The pointer runs far past the limit, so every move clamps.
        CPoint pointer(start.x + 40 + (step % 200), start.y + 20 + (step % 100));
        ++step;
        CDC dc;
        dc.AttachImage(image);
        dc.SetROP2(R2_XORPEN);
        dc.SelectStockObject(WHITE_PEN);
        dc.MoveTo(start.x, start.y);
        dc.LineTo(end.x, end.y);
        end = Clamp(start, pointer);
        dc.MoveTo(start.x, start.y);
        dc.LineTo(end.x, end.y);
    }
}

void BM_ZoomBoxMove(benchmark::State& state)
{
    CImage& image = PaintedBuffer(int(state.range(0)));
    CRect box(300, 200, 300, 200);
    int step = 0;
    for (auto _ : state) {
        CDC dc;
        dc.AttachImage(image);
        dc.DrawFocusRect(&box);
        box.right = 900 + step % 700;
        box.bottom = 600 + step % 400;
        ++step;
        dc.DrawFocusRect(&box);
    }
}

} // namespace

BENCHMARK(BM_MeasureMove)->Arg(1000)->Arg(32767)->ArgName("planets")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZoomBoxMove)->Arg(1000)->Arg(32767)->ArgName("planets")->Unit(benchmark::kMicrosecond);
