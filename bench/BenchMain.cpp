// The benchmarks need the toolkit's application object for text.
//
// kestrin-bench --write-map PLANETS PATH writes a generated map and exits,
// so scripts can time whole programs on the same files.

#include "BenchMaps.h"
#include "GeneratedMap.h"

#include "platform/framework/Runtime.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--write-map") == 0) {
        std::ofstream out(argv[3], std::ios::binary);
        out << GeneratedMapText(std::atoi(argv[2]));
        return out ? 0 : 1;
    }
    CRuntime runtime(argc, argv, CRuntime::Display::OffscreenUnlessNamed);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveBenchMaps();
    return 0;
}
