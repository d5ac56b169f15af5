// SPDX-License-Identifier: MIT
#include "ProcessMemory.h"

#include <fstream>
#include <string>

namespace {

long StatusKb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0)
            return std::stol(line.substr(key.size()));
    }
    return 0;
}

} // namespace

namespace ProcessMemory {

long PeakKb()
{
    return StatusKb("VmHWM:");
}

long ResidentKb()
{
    return StatusKb("VmRSS:");
}

bool ResetPeak()
{
    std::ofstream refs("/proc/self/clear_refs");
    refs << "5";
    refs.flush();
    return static_cast<bool>(refs);
}

} // namespace ProcessMemory
