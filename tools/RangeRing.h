// SPDX-License-Identifier: MIT
#pragma once

// The ring of --near's range over the picture: drawn as the light-year
// circles are (an outline one device pixel wide over everything drawn
// before it) in the measure lines' yellow; on a printed page in the
// surface's default black, as everything there.

#include "platform/surface/Types.h"

#include <cstdint>
#include <optional>

class CDC;
class CStarMap;

// The square of the ring of radius thousandths of a light year around
// centre, the radius rounded to whole map units; nothing when a side lies
// beyond 32-bit map units (such a ring is far outside any map).
std::optional<CRect> RangeRingSquare(CPoint centre, std::uint64_t thousandths);

// Draws the ring in square on dc, whose mapping is the map's.
void DrawRangeRing(CDC& dc, CStarMap& map, const CRect& square);
