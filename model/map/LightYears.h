// SPDX-License-Identifier: MIT
#pragma once

// Distances in light years. Twenty map units make one light year in every
// measurement: a distance is the straight length between two points in map
// units, truncated to a whole number, then divided by 20 with the remainder
// dropped. So 619 map units are 30 light years and 620 are 31.

#include "platform/surface/Types.h"

#include <cstdint>
#include <string>

constexpr int kMapUnitsPerLightYear = 20;

// Whole light years between two points in map units; any two 32-bit points
// give a result that fits an int.
int WholeLightYears(CPoint a, CPoint b);

// The straight length between two points, in map units, unrounded.
double MapDistance(CPoint a, CPoint b);
// Whole light years in a length of map units (not negative), such as the
// sum of a route's legs, by the same rule.
std::int64_t WholeLightYears(double length);

// Tenths of a light year in a length of map units (not negative), cut
// toward zero: the one-decimal figure of the tooltip and of routes, so
// 463.9 map units are 23.1 light years and 464 are 23.2.
std::int64_t TenthsOfLightYears(double length);
// Tenths as they are shown: "23.1", "0.0".
std::string TenthsText(std::int64_t tenths);
