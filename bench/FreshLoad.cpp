// SPDX-License-Identifier: MIT
#include "FreshLoad.h"

#include "model/map/StarMap.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double CountLines(const char* path)
{
    Clock::time_point t0 = Clock::now();
    std::FILE* f = std::fopen(path, "r");
    if (f == nullptr)
        return -1;
    char line[4096];
    long lines = 0;
    while (std::fgets(line, sizeof line, f) != nullptr)
        ++lines;
    std::fclose(f);
    double ms = Since(t0);
    std::fprintf(stderr, "%ld lines\n", lines);
    return ms;
}

} // namespace

int RunLoadOnce(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrin-bench --load-once FILE\n");
        return 2;
    }
    Clock::time_point t0 = Clock::now();
    CStarMap map;
    BOOL loaded = map.LoadDataFile(argv[2]);
    double load = Since(t0);
    double count = CountLines(argv[2]);
    std::printf("load\t%.3f\tcount\t%.3f\n", load, count);
    return loaded && count >= 0 ? 0 : 1;
}
