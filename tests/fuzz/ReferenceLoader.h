// SPDX-License-Identifier: MIT
#pragma once

// A second, deliberately plain reading of a data file held in memory, for
// the fuzzer to compare the real loader against: the whole file is turned
// into text-mode characters first, then cut into pieces, then parsed.
// Slow and simple on purpose; it shares no code with the loader.

#include "model/map/StarMap.h"

#include <string>
#include <vector>

struct ReferenceResult {
    bool ok = true;
    CLoadDiagnostic::Cause cause = CLoadDiagnostic::Cause::None;
    int line = 0;
    std::vector<CPlanet> planets;
};

ReferenceResult ReferenceLoad(const std::string& bytes);
