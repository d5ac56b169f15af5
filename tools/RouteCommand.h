#pragma once

// kestrin-render --route FROM TO --jump LY: the route between two planets,
// named exactly as Center On finds them, whose every jump is at most LY
// light years: the fewest jumps, then the shortest total, then the stops
// that come first in the file. It writes one line per leg,
//   FROM -> TO: N Light Years
// (N as a measure line between the two counts it) and a total. With -o it
// also draws the map with each leg as a measure line, at --zoom and
// --center when either is given, else fitted to the route.
//
// Returns the exit status: 0 for a route; 1 when there is none (err names
// the planet nearest to TO that FROM reaches, and its distance); 2 for a
// name that no planet has (with up to three suggestions), an unreadable
// map or an unwritable picture.

#include "RenderOptions.h"

#include <ostream>

int RunRoute(const RenderOptions& o, std::ostream& out, std::ostream& err);
