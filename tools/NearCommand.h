// SPDX-License-Identifier: MIT
#pragma once

// kestrin-render --near NAME --within LY [--jump J] [--format text|json|csv]:
// every planet within LY light years of NAME by the rule a jump of LY
// follows (a planet exactly LY away is in), NAME's own planet left out;
// nearest first by exact distance, file order on ties. Each with its
// distance as a measure line counts it (whole light years) and to a tenth,
// cut, as a route's legs show it; its faction code and file coordinates;
// and, with --jump, the fewest jumps of J that reach it as the route
// finder counts them ("unreachable" in text and CSV, null in JSON, when
// none do). Text is one line per planet:
//   NAME: W Light Years (T.T), FACTION at X, Y[, N jumps|, unreachable]
// with names shown as TypedNames.h has it; CSV and JSON carry UTF-8.
// With -o naming a picture, the list is written as ever and the map is
// drawn centred on NAME (unless a centre is given) with the ring of the
// range (RangeRing.h), fitted to the ring unless --zoom is given.
//
// Returns the exit status: 0 for a list (empty when nothing is in range);
// 2 for a name that no planet has (with suggestions), an unreadable map
// or lost output. A load that stopped part-way is said on err, and the
// planets above the bad line are the map, as with --route.

#include "RenderOptions.h"

#include <cstdint>
#include <ostream>
#include <vector>

class CStarMap;

struct Neighbour {
    std::int16_t planet = -1;
    int lightYears = 0;      // as a measure line counts it
    std::int64_t tenths = 0; // cut toward zero
    int jumps = -1;          // with --jump; -1 when out of reach
};

// The neighbours of planet from within range, in the order written.
std::vector<Neighbour> NeighboursOf(const CStarMap& map, std::int16_t from, const CJumpRange& range,
                                    const std::optional<CJumpRange>& jump);

int RunNear(const RenderOptions& o, std::ostream& out, std::ostream& err);
