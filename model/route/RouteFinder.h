// SPDX-License-Identifier: MIT
#pragma once

// Routes between two planets as chains of jumps, none longer than a jump
// range. Of all routes the finder takes the one with the fewest jumps;
// among those the shortest in total; among routes of equal total (within
// a billionth, so that sums added in another order still tie) the one
// whose stops come first in the file, compared stop by stop from the
// start. Planets at one position are one stop: a route never visits a
// position twice, and a stop is the first planet there in file order.
//
// The search costs about as much as the planets and the tree walks around
// each of them, at every range: positions are taken off a spatial tree as
// the search reaches them, and the shortest among the fewest-jump routes
// is worked out layer by layer, back from the goal, among the positions
// that a first straight-line route leaves in play, with bounds that set
// aside whole parts of the map, never pair by pair.

#include "model/map/JumpRange.h"

#include <cstdint>
#include <vector>

class CPlanetIndex;
class CStarMap;

struct CRouteLeg {
    std::int16_t from = -1;  // planet indices
    std::int16_t to = -1;
    double length = 0;       // map units, unrounded
    int lightYears = 0;      // as a measure line between the two counts them
};

struct CRoute {
    bool found = false;
    // The jumps in order; none when the two planets are one. A leg may be 0
    // light years long: planets at the same position.
    std::vector<CRouteLeg> legs;
    double length = 0;  // the legs' lengths added, map units

    // The total length, counted as a measure line counts its length.
    std::int64_t LightYears() const;

    // When there is no route: the planet closest to the goal that the
    // start can reach (the start itself when no jump leads anywhere), and
    // its distance from the goal.
    std::int16_t nearest = -1;
    double nearestLength = 0;
    int nearestLightYears = 0;
};

// Each search walks index, the planet index built from map's planets
// (CPlanetIndex(map)); a caller with several questions of one map builds it
// once and passes it to each.

// A route from planet from to planet to (indices into the map's planets,
// such as FindPlanetIndex gives). An index that names no planet gives no
// route and no nearest planet (-1).
CRoute FindRoute(const CStarMap& map, const CPlanetIndex& index, std::int16_t from, std::int16_t to,
                 const CJumpRange& range);

// For every planet, the jumps of the route FindRoute would take to it from
// planet from: 0 for from itself, -1 for a planet out of reach.
std::vector<int> JumpsFrom(const CStarMap& map, const CPlanetIndex& index, std::int16_t from,
                           const CJumpRange& range);

// The least range, in tenths of a light year, at which FindRoute finds a
// route from planet from to planet to: the longest jump of the route whose
// longest jump is shortest, rounded up to a tenth, so that this range
// given back as a jump range finds a route. 0 for planets at one position
// and for an index that names no planet.
std::uint64_t LeastRangeTenths(const CStarMap& map, const CPlanetIndex& index, std::int16_t from, std::int16_t to);
