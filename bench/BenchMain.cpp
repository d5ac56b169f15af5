// The benchmarks need the toolkit's application object for text.

#include "BenchMaps.h"

#include "platform/Runtime.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    CRuntime runtime(argc, argv, /*headless=*/true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveBenchMaps();
    return 0;
}
