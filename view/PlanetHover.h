// SPDX-License-Identifier: MIT
#pragma once

// What the view's tip says about the planets under the pointer. A planet is
// under the pointer when the pointer lies within kHoverPixels device pixels
// of its circle, or of its dot while the circle is drawn under two pixels
// across. The question is asked of the map's planet index as an exact disc
// in map units, so that no rounding of the mapping decides it; the caller
// builds that index from the map and keeps it while the map stays.
//
// The text lists the nearest kHoverListed planets, nearest first, one line
// each: the name as drawn (UTF-8 from the map's encoding), the faction as
// its legend name and code ("Orvessa (KOR)", or the code alone when the
// legend has no row for it), the position as the data file writes it (the
// file's x and y, before the loader's scaling), and the distance from the
// map origin in light years to one decimal, cut toward zero as every
// light-year figure of the program is. A last line counts the planets
// beyond those. No planet under the pointer gives an empty text.

#include "MapViewport.h"

#include "model/map/MapDisc.h"

#include <string>

class CPlanetIndex;
class CStarMap;
struct CPlanet;

constexpr int kHoverPixels = 4;
constexpr int kHoverListed = 5;

// The disc of map points whose planets lie under the client point.
CMapDisc HoverDisc(const CMapViewport& viewport, CPoint client);
// The tip's text for the pointer at the client point; empty for none.
std::string HoverText(const CStarMap& map, const CPlanetIndex& index, const CMapViewport& viewport, CPoint client);
// One planet's line of it.
std::string HoverLine(const CStarMap& map, const CPlanet& planet);
