// SPDX-License-Identifier: MIT
#pragma once

// The shortest way from one point to another through a box: the least of
// |a u| + |u b| over the points u of the box, in map units. A route that
// must pass through the box is at least this long, which lets a route
// search set aside whole parts of the map at once.

#include "model/map/MapDisc.h"

#include "platform/surface/Types.h"

double LeastDetour(CPoint a, CPoint b, const CMapBox& box);
