// SPDX-License-Identifier: MIT
// Loading a planet file, beside the floor of merely reading it line by line
// in the same run, and the memory a loaded planet takes; on every map.
//
// A load's time depends on the heap it lands in: each 4 KiB page that the
// C library has to take from the kernel costs a page fault, about 0.25 us
// per kilobyte loaded. Left to itself, a benchmark loop gets such pages on
// every iteration or on none, depending on whether the C library handed
// the freed map back to the kernel, which depends on what earlier
// benchmarks left in the heap. So both cases are measured on purpose, and
// each reports its page faults per load (see RESULTS.md, "The load"):
// - fresh pages: the freed map goes back to the kernel before each load, as
//   the first load of a process finds it;
// - reused heap: the previous map is freed only after the next one is
//   loaded, so each load finds the pages of the one before, as a program
//   that has painted finds them when the user opens another file.

#include "AllocationCounter.h"
#include "BenchMaps.h"
#include "EveryMap.h"

#include "model/map/StarMap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <malloc.h>
#include <sys/resource.h>

namespace {

long MinorFaults()
{
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

template <bool kFreshPages>
void BM_Load(benchmark::State& state, BenchMapKind kind)
{
    const std::string& path = BenchMapPath(kind);
    std::unique_ptr<CStarMap> previous;
    long faults = 0;
    for (auto _ : state) {
        long before = MinorFaults();
        auto map = std::make_unique<CStarMap>();
        benchmark::DoNotOptimize(map->LoadDataFile(path.c_str()));
        faults += MinorFaults() - before;
        state.PauseTiming();
        previous = std::move(map);
        if (kFreshPages) {
            previous.reset();
            ::malloc_trim(0);
        }
        state.ResumeTiming();
    }
    state.counters["page_faults"] = benchmark::Counter(double(faults), benchmark::Counter::kAvgIterations);
}

// The anchor: read the same file line by line through the C library and
// count the lines, touching nothing else.
void BM_CountLines(benchmark::State& state, BenchMapKind kind)
{
    const std::string& path = BenchMapPath(kind);
    char line[4096];
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "r");
        if (f == nullptr) {
            state.SkipWithError("cannot open the map");
            break;
        }
        long lines = 0;
        while (std::fgets(line, sizeof line, f) != nullptr)
            ++lines;
        std::fclose(f);
        benchmark::DoNotOptimize(lines);
    }
}

// Bytes held per planet after a load, and how many of them are not the
// name's own characters.
void BM_MemoryPerPlanet(benchmark::State& state, BenchMapKind kind)
{
    const std::string& path = BenchMapPath(kind);
    double perPlanet = 0, beyondName = 0;
    for (auto _ : state) {
        auto map = std::make_unique<CStarMap>();
        std::size_t before = AllocatedBytes();
        map->LoadDataFile(path.c_str());
        std::size_t after = AllocatedBytes();
        std::size_t nameBytes = 0;
        for (std::int16_t i = 0; i < map->GetPlanetCount(); ++i)
            nameBytes += map->GetPlanet(i).m_strName.size();
        double planets = std::max<int>(map->GetPlanetCount(), 1);
        perPlanet = double(after - before) / planets;
        beyondName = double(after - before - nameBytes) / planets;
    }
    state.counters["bytes_per_planet"] = perPlanet;
    state.counters["beyond_name"] = beyondName;
}

auto InMilliseconds = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); };

const bool registered = RegisterForEveryMap("BM_LoadFreshPages", BM_Load<true>, InMilliseconds) &&
                        RegisterForEveryMap("BM_LoadReusedHeap", BM_Load<false>, InMilliseconds) &&
                        RegisterForEveryMap("BM_CountLines", BM_CountLines, InMilliseconds) &&
                        RegisterForEveryMap("BM_MemoryPerPlanet", BM_MemoryPerPlanet, [](auto* b) {
                            b->Iterations(1)->Unit(benchmark::kMillisecond);
                        });

} // namespace
