// SPDX-License-Identifier: MIT
// kestrin-render's map tools as whole commands in the process, from the
// arguments to the last byte written: the load of the data file is in the
// time. The route runs on the realistic benchmark map (32767 planets) between
// the planets nearest two opposite corners, straight or by three stops;
// the pictures show all of that map, as SVG beside the PNG of the same
// view, on screen and on paper.

#include "BenchMaps.h"
#include "FindBenchMaps.h"

#include "model/map/StarMap.h"
#include "tools/Renderer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <algorithm>
#include <sstream>
#include <unistd.h>

namespace {

// Runs args as the command does, whole, and counts in state how many of
// what are in its standard output (the legs or the lines of the answer).
void RunCommand(benchmark::State& state, const std::vector<std::string>& args, char what, const char* counter)
{
    std::ostringstream out, err;
    int status = 0;
    for (auto _ : state) {
        out.str("");
        benchmark::DoNotOptimize(status = RenderMain(args, out, err));
    }
    state.counters["status"] = status;
    const std::string answer = out.str();
    state.counters[counter] = double(std::count(answer.begin(), answer.end(), what));
}

void BM_RouteCommand(benchmark::State& state)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const CStarMap& map = BenchMap(BenchMapKind::Realistic);
    const std::string from = map.GetPlanet(FindMapCorner(map, -1)).m_strName;
    const std::string to = map.GetPlanet(FindMapCorner(map, 1)).m_strName;
    const std::vector<std::string> args = {"--route", from, to, "--jump", std::to_string(state.range(0)), path};
    RunCommand(state, args, '>', "jumps");
}

// The same route by three stops on the way (--via), each stretch a route of
// its own: planets a quarter, a half and three quarters through the file,
// which lie in the map's clusters. Arg: the jump range.
void BM_RouteViaCommand(benchmark::State& state)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const CStarMap& map = BenchMap(BenchMapKind::Realistic);
    auto name = [&map](int planet) { return map.GetPlanet(std::int16_t(planet)).m_strName; };
    const int count = map.GetPlanetCount();
    std::vector<std::string> args = {"--route", name(FindMapCorner(map, -1)), name(FindMapCorner(map, 1)),
                                     "--jump", std::to_string(state.range(0))};
    for (int quarter = 1; quarter <= 3; ++quarter)
        args.insert(args.end(), {"--via", name(count * quarter / 4)});
    args.push_back(path);
    RunCommand(state, args, '>', "jumps");
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

// --near on a planet in the thick of the map, the whole command (load
// included: BM_LoadFreshPages on the realistic map is its anchor), with
// the jumps at a quarter of the range when the second argument is 1.
void BM_NearCommand(benchmark::State& state)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const CStarMap& map = BenchMap(BenchMapKind::Realistic);
    const std::string name = map.GetPlanet(std::int16_t(map.GetPlanetCount() / 2)).m_strName;
    std::vector<std::string> args = {"--near", name, "--within", std::to_string(state.range(0)), path};
    if (state.range(1) == 1)
        args.insert(args.end() - 1, {"--jump", std::to_string(state.range(0) / 4)});
    RunCommand(state, args, '\n', "lines");
}

// The printed page of the whole realistic map as a PDF with the circles
// and the truce line: Args(C, dpi) give a poster of C x C sheets, C = 1
// being the one page, the anchor.
void BM_PosterCommand(benchmark::State& state)
{
    const std::string& path = BenchMapPath(BenchMapKind::Realistic);
    const std::string out =
        std::filesystem::temp_directory_path() / ("kestrin-poster-" + std::to_string(::getpid()) + ".pdf");
    const std::string side = std::to_string(state.range(0));
    const std::vector<std::string> args = {"--print", "--pages", side + "x" + side, "--dpi",
                                           std::to_string(state.range(1)), "--circles", "--truce", "-o", out, path};
    std::ostringstream err;
    int status = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(status = RenderMain(args, err));
    state.counters["status"] = status;
    state.counters["bytes"] = double(std::filesystem::file_size(out));
    std::filesystem::remove(out);
}

// --export of the realistic map to a string; the load is its anchor.
void BM_ExportCommand(benchmark::State& state, const char* format)
{
    const std::vector<std::string> args = {"--export", format, BenchMapPath(BenchMapKind::Realistic)};
    std::ostringstream out, err;
    int status = 0;
    for (auto _ : state) {
        out.str("");
        benchmark::DoNotOptimize(status = RenderMain(args, out, err));
    }
    state.counters["status"] = status;
    state.counters["bytes"] = double(out.str().size());
}

} // namespace

BENCHMARK(BM_NearCommand)->Args({25, 0})->Args({100, 0})->Args({100, 1})->Args({350, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportCommand, csv, "csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportCommand, json, "json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureCommand, svg, ".svg")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureCommand, png, ".png")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteViaCommand)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PosterCommand)->Args({1, 100})->Args({4, 100})->Args({4, 300})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteCommand)->Arg(1)->Arg(10)->Arg(20)->Arg(50)->Arg(100)->Arg(200)->Arg(350)->Arg(700)
    ->Unit(benchmark::kMillisecond);
