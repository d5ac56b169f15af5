// kestrin-render's map tools as whole commands in the process, from the
// arguments to the last byte written: the load of the data file is in the
// time. The route runs on the realistic benchmark map (32767 planets) between
// the planets nearest two opposite corners; the pictures show all of that
// map, as SVG beside the PNG of the same view, on screen and on paper.

#include "BenchMaps.h"
#include "FindBenchMaps.h"

#include "model/StarMap.h"
#include "tools/Renderer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

void BM_RouteCommand(benchmark::State& state)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const CStarMap& map = BenchMap(BenchMapKind::Realistic);
    const std::string from = map.GetPlanet(FindMapCorner(map, -1)).m_strName;
    const std::string to = map.GetPlanet(FindMapCorner(map, 1)).m_strName;
    const std::vector<std::string> args = {"--route", from, to, "--jump", std::to_string(state.range(0)), path};
    std::ostringstream out, err;
    int status = 0;
    for (auto _ : state) {
        out.str("");
        benchmark::DoNotOptimize(status = RenderMain(args, out, err));
    }
    state.counters["status"] = status;
}

// Arg: 0 the screen picture, 1 the printed page.
void BM_PictureCommand(benchmark::State& state, const char* ending)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const std::string out = std::filesystem::temp_directory_path() / ("kestrin-tools-" + std::to_string(::getpid()) + ending);
    std::vector<std::string> args = {"--size", "1280x800", "--zoom", "12500", "--circles", "--truce", "--legend"};
    if (state.range(0) == 1)
        args = {"--print", "--dpi", "100", "--zoom", "12500", "--circles", "--truce"};
    args.insert(args.end(), {"-o", out, path});
    std::ostringstream err;
    int status = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(status = RenderMain(args, err));
    state.counters["status"] = status;
    state.counters["bytes"] = double(std::filesystem::file_size(out));
    std::filesystem::remove(out);
}

} // namespace

BENCHMARK_CAPTURE(BM_PictureCommand, svg, ".svg")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureCommand, png, ".png")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteCommand)->Arg(1)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Arg(200)->Arg(350)->Arg(700)
    ->Unit(benchmark::kMillisecond);
