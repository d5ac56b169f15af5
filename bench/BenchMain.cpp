// SPDX-License-Identifier: MIT
// The benchmarks need the toolkit's application object for text.
//
// Besides the Google Benchmark run, the program has modes that scripts
// call to time whole programs and paths in processes of their own:
//   kestrin-bench --write-map KIND FILE    writes a benchmark map to a new file
//   kestrin-bench --repaint MAP ZOOM ...   one zoom of the repaint sweep
//   kestrin-bench --load-once FILE         one load in a fresh process
//   kestrin-bench --window-memory MAP      the window's heap per planet
//   kestrin-bench --faction-table          the colours, for anchor scripts

#include "BenchMapFile.h"
#include "BenchMaps.h"
#include "FactionTableDump.h"
#include "FreshLoad.h"
#include "RepaintRun.h"
#include "WindowMemory.h"

#include "platform/framework/Runtime.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

int WriteMap(int argc, char** argv)
{
    std::optional<BenchMapKind> kind = argc == 4 ? BenchMapKindFromName(argv[2]) : std::nullopt;
    if (!kind) {
        std::fprintf(stderr, "usage: kestrin-bench --write-map realistic|today|packed|stacked|stacked-scripts NEW-FILE\n");
        return 2;
    }
    std::string reason;
    if (!WriteBenchMapFile(*kind, argv[3], reason)) {
        std::fprintf(stderr, "kestrin-bench: cannot write %s: %s\n", argv[3], reason.c_str());
        return 1;
    }
    return 0;
}

bool Mode(int argc, char** argv, const char* name)
{
    return argc >= 2 && std::strcmp(argv[1], name) == 0;
}

int RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (Mode(argc, argv, "--write-map"))
        return WriteMap(argc, argv);
    if (Mode(argc, argv, "--load-once"))
        return RunLoadOnce(argc, argv);
    if (Mode(argc, argv, "--faction-table"))
        return RunFactionTableDump();
    CRuntime runtime(argc, argv, CRuntime::Display::OffscreenUnlessNamed);
    int status = Mode(argc, argv, "--repaint")         ? RunRepaint(argc, argv)
                 : Mode(argc, argv, "--window-memory") ? RunWindowMemory(argc, argv)
                                                       : RunBenchmarks(argc, argv);
    RemoveBenchMaps();
    return status;
}
