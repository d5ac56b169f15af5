// SPDX-License-Identifier: MIT
#pragma once

// A route drawn for the people who follow it: each leg a line in the
// measure lines' colour, each stop numbered in order beside its circle (1
// for the start, then the end of each leg), and each leg's light years
// ("N Light Years", as a measure line counts them) beside its line where
// the label covers no stop's name, circle or number, nor another leg's
// label. Numbers and labels are in the legend's font, in device pixels, so
// they read at any zoom. Yellow on black on the screen picture, black on
// white on the printed page.

#include "model/route/RouteFinder.h"

#include "platform/surface/Mapping.h"
#include "platform/surface/Types.h"

#include <vector>

class CDC;
class CStarMap;

// Draws route over map on dc, whose mapping is the map's (mapping, on a
// picture of area device pixels); leaves dc in a pixel mapping.
void DrawRouteSketch(CDC& dc, CStarMap& map, const CRoute& route, const CMapping& mapping, CSize area, bool printed);

// The first of candidates (top-left corners) at which a cell of that size
// lies within area and meets none of taken; when none is clear, the one
// that covers the least of them.
CPoint FirstClearPlace(const std::vector<CPoint>& candidates, CSize cell, const std::vector<CRect>& taken, CSize area);
