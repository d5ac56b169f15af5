// SPDX-License-Identifier: MIT
#pragma once

// kestrin-render --route FROM TO --jump LY [--via NAME]... [--format F]:
// the route between two planets,
// named exactly as Center On finds them, whose every jump is at most LY
// light years: the fewest jumps, then the shortest total, then the stops
// that come first in the file. It writes one line per leg,
//   FROM -> TO: N.N Light Years
// (tenths cut toward zero, as the window's tooltip gives a distance), the
// total as the sum of the legs shown, and the longest jump with the least
// --jump that takes it. Names are shown as TypedNames.h has it. With -o it
// also draws the map with the route over it (RouteSketch.h: each leg a
// line labelled in whole light years, as a measure line counts them, clear
// of the stops' names, and the stops numbered in order), at --zoom and
// --center (or --center-on) when either is given, else fitted to the route;
// with -o - that picture alone goes to the standard output.
//
// Each --via is a stop on the way, in order: each stretch is the route
// above between its two stops, and the legs are all stretches' in order,
// added up as one route. --format json|csv writes the legs as data
// (RouteData.h), to the standard output, or to -o when it names a .json
// or .csv file, and then no picture is drawn.
//
// Returns the exit status: 0 for a route; 1 when a stretch has none (err names
// the planet nearest to TO that FROM reaches, its distance, and the least
// --jump that finds a route); 2 for a name that no planet has (with up to
// three suggestions), a --via that is its neighbour's planet, an
// unreadable map, an unwritable picture or lost
// output (the picture is not drawn when the figures were lost).

#include "RenderOptions.h"

#include <ostream>

int RunRoute(const RenderOptions& o, std::ostream& out, std::ostream& err);
