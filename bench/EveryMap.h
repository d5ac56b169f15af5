// SPDX-License-Identifier: MIT
#pragma once

// Registers a benchmark once for each benchmark map, named NAME/KIND
// ("BM_Load/realistic"), so that reports read without a legend.

#include "BenchMapKinds.h"

#include <benchmark/benchmark.h>

#include <string>

template <class Configure>
bool RegisterForEveryMap(const char* name, void (*run)(benchmark::State&, BenchMapKind), Configure configure)
{
    for (BenchMapKind kind : kBenchMapKinds) {
        std::string full = std::string(name) + "/" + BenchMapKindName(kind);
        configure(benchmark::RegisterBenchmark(full.c_str(), run, kind));
    }
    return true;
}
