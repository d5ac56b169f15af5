// Loading a planet file, beside the floor of merely reading it, and the
// memory a loaded planet takes.

#include "AllocationCounter.h"
#include "BenchMaps.h"

#include "model/StarMap.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void BM_Load(benchmark::State& state)
{
    const std::string& path = BenchMapPath(int(state.range(0)));
    for (auto _ : state) {
        auto map = std::make_unique<CStarMap>();
        benchmark::DoNotOptimize(map->LoadDataFile(path.c_str()));
        state.PauseTiming();
        map.reset();
        state.ResumeTiming();
    }
    state.counters["planets"] = double(state.range(0));
}

// The floor: read the same file line by line through the C library and
// count the lines, touching nothing else.
void BM_CountLines(benchmark::State& state)
{
    const std::string& path = BenchMapPath(int(state.range(0)));
    char line[4096];
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "r");
        long lines = 0;
        while (std::fgets(line, sizeof line, f) != nullptr)
            ++lines;
        std::fclose(f);
        benchmark::DoNotOptimize(lines);
    }
}

// Below the floor: large blocks and a byte search, no lines at all.
void BM_CountLinesInBlocks(benchmark::State& state)
{
    const std::string& path = BenchMapPath(int(state.range(0)));
    static char buffer[1 << 16];
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        long lines = 0;
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            for (const char* p = buffer; (p = static_cast<const char*>(std::memchr(p, '\n', buffer + n - p)));
                 ++p)
                ++lines;
        std::fclose(f);
        benchmark::DoNotOptimize(lines);
    }
}

// Bytes held per planet after a load, and how many of them are not the
// name's own characters.
void BM_MemoryPerPlanet(benchmark::State& state)
{
    const int planets = int(state.range(0));
    const std::string& path = BenchMapPath(planets);
    double perPlanet = 0, beyondName = 0;
    for (auto _ : state) {
        auto map = std::make_unique<CStarMap>();
        std::size_t before = AllocatedBytes();
        map->LoadDataFile(path.c_str());
        std::size_t after = AllocatedBytes();
        std::size_t nameBytes = 0;
        for (std::int16_t i = 0; i < map->GetPlanetCount(); ++i)
            nameBytes += map->GetPlanet(i).m_strName.size();
        perPlanet = double(after - before) / planets;
        beyondName = double(after - before - nameBytes) / planets;
    }
    state.counters["bytes_per_planet"] = perPlanet;
    state.counters["beyond_name"] = beyondName;
}

} // namespace

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLines)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLinesInBlocks)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerPlanet)->Arg(1000)->Arg(10000)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);
