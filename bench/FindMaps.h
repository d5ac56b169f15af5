#pragma once

// The three maps the find and route benchmarks run on, 32767 planets each,
// made with fixed seeds and loaded once per run:
//   Realistic - about 28000 distinct names of about 12 characters (some
//               given twice), over +-620 file units, partly in clusters;
//   Packed    - the same kind of names within 20 x 20 file units, so about
//               80 planets share each whole-unit position;
//   Stacked   - every planet on one point, each name 65 characters long.

#include <cstdint>
#include <string>

class CStarMap;

enum class FindMap { Realistic, Packed, Stacked };

std::string FindMapText(FindMap which);
// Loaded through a temporary file the first time, then kept.
const CStarMap& LoadedFindMap(FindMap which);
const char* FindMapName(FindMap which);

// The planet nearest to a corner of the map's bounding box (sign -1: the
// lower left in map units, +1: the upper right), first in the file of
// equal ones: the ends of the route benchmarks.
std::int16_t FindMapCorner(const CStarMap& map, int sign);
