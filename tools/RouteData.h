// SPDX-License-Identifier: MIT
#pragma once

// A route's legs as data for other programs (--route --format json|csv):
// each leg's two planets as PlanetRecord.h gives them (UTF-8 names, file
// coordinates, faction code, legend name), the leg's light years as a
// measure line counts them and to a tenth, cut as the text shows it; then
// the totals, each the sum of the legs' figures, so that they add up as
// the text's do, and the longest jump with the least --jump that takes it.

#include "model/route/RouteFinder.h"

#include <string>

class CStarMap;

// What a route adds up to, worked out once for every format.
struct RouteSummary {
    std::int64_t lightYears = 0;    // the legs' measure-line figures added
    std::int64_t tenths = 0;        // the legs' tenths added
    const CRouteLeg* longest = nullptr;
    std::int64_t longestTenths = 0;
    std::uint64_t leastJumpTenths = 0;  // the --jump that takes the longest leg
};

RouteSummary SummaryOf(const CStarMap& map, const CRoute& route);

std::string RouteCsv(const CStarMap& map, const CRoute& route);
std::string RouteJson(const CStarMap& map, const CRoute& route);
