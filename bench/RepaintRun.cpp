// SPDX-License-Identifier: MIT
#include "RepaintRun.h"

#include "BenchMaps.h"

#include "model/map/StarMap.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxRepetitions = 5;
constexpr std::chrono::milliseconds kEnough{1000};
constexpr int kFullExtent = 12500;

struct ViewState {
    int zoom, cx, cy;
};

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Runs prepare (untimed) then the timed repaint, until there are enough
// repetitions, and prints the line of the measure.
void Measure(const char* name, const std::function<void()>& prepare, const std::function<void()>& repaint)
{
    std::vector<double> times;
    Clock::time_point start = Clock::now();
    while (times.empty() || (int(times.size()) < kMaxRepetitions && Clock::now() - start < kEnough)) {
        prepare();
        Clock::time_point t0 = Clock::now();
        repaint();
        times.push_back(Milliseconds(Clock::now() - t0));
    }
    std::sort(times.begin(), times.end());
    std::printf("%s\t%.3f\t%zu\t%.3f\t%.3f\n", name, times[times.size() / 2], times.size(), times.front(),
                times.back());
    std::fflush(stdout);
}

// One line step of a scroll bar moves the centre by a hundredth of the
// extent; under an extent of 100 that rounds to nothing, and the step that
// first moves the view moves it by one map unit.
int ScrollStep(int zoom)
{
    return std::max(zoom / 100, 1);
}

void RunMeasure(const std::string& measure, CStarMap& map, CImage& image, ViewState v)
{
    auto paint = [&](ViewState s) { Repaint<CDC>(image, map, s.zoom, s.cx, s.cy); };
    auto nothing = [] {};
    if (measure == "open") {
        Measure("open", [] { CDC::FlushCaches(); }, [&] { paint(v); });
    } else if (measure == "warm") {
        paint(v);
        Measure("warm", nothing, [&] { paint(v); });
    } else if (measure == "zoomin" && v.zoom < kFullExtent) {
        ViewState before{std::min(v.zoom * 2, kFullExtent), v.cx, v.cy};
        Measure("zoomin", [&] { CDC::FlushCaches(); paint(before); }, [&] { paint(v); });
    } else if (measure == "scroll") {
        ViewState after{v.zoom, v.cx + ScrollStep(v.zoom), v.cy};
        Measure("scroll", [&] { CDC::FlushCaches(); paint(v); }, [&] { paint(after); });
    } else if (measure == "steps") {
        paint(v);
        int steps = 0;
        Measure("steps", nothing, [&] {
            ++steps;
            paint({v.zoom, v.cx + steps * ScrollStep(v.zoom), v.cy});
        });
    } else if (measure == "reference") {
        Measure("reference", nothing, [&] { Repaint<CReferenceDC>(image, map, v.zoom, v.cx, v.cy); });
    }
}

} // namespace

int RunRepaint(int argc, char** argv)
{
    std::optional<BenchMapKind> kind = argc >= 4 ? BenchMapKindFromName(argv[2]) : std::nullopt;
    int zoom = argc >= 4 ? std::atoi(argv[3]) : 0;
    if (!kind || zoom < 1 || zoom > kFullExtent) {
        std::fprintf(stderr, "usage: kestrin-bench --repaint MAP ZOOM [MEASURE...]\n");
        return 2;
    }
    CStarMap& map = BenchMap(*kind);
    BenchMapCentre centre = BenchMapCentreOf(*kind);
    CImage image(kClientWidth, kClientHeight);
    {
        // The toolkit sets up its fonts once per process, not once per
        // open: a label in the map font and the legend get that done.
        CStarMap labelOnly;
        labelOnly.AddMeasureLine(0, 0, 100, 100, 7);
        Repaint<CDC>(image, labelOnly, zoom);
        Repaint<CReferenceDC>(image, labelOnly, zoom);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::vector<std::string> measures(argv + 4, argv + argc);
    if (measures.empty())
        measures = {"open", "warm", "zoomin", "scroll", "reference"};
    for (const std::string& m : measures)
        RunMeasure(m, map, image, {zoom, centre.x, centre.y});
    return 0;
}
