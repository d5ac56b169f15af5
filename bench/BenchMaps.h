// SPDX-License-Identifier: MIT
#pragma once

// The benchmark maps, written once per run to a temporary folder, and the
// view's screen mapping they are painted under.

#include "BenchMapKinds.h"

#include "view/MapViewport.h"

#include <string>

class CDC;
class CImage;
class CStarMap;

// Path of the generated file of that kind, cut to that many planets:
// written to a folder of this process, unless the whole map already stands
// as KIND.dat in the folder that KESTRIN_BENCH_MAPS names.
const std::string& BenchMapPath(BenchMapKind kind, int planets = kBenchMapPlanets);
// A map loaded from it, kept for the whole run.
CStarMap& BenchMap(BenchMapKind kind, int planets = kBenchMapPlanets);

// The back buffer of a 1920 x 1080 window.
constexpr int kClientWidth = 1920, kClientHeight = 1080;
// The view's viewport on that client area: the zoom, the centre (cx, cy)
// and the scroll-bar metric (16) on each axis.
CMapViewport BenchViewport(int zoom, int cx = 0, int cy = 0);
// What the view does before OnDraw: the viewport's screen mapping.
void PrepareScreen(CDC& dc, int zoom, int cx = 0, int cy = 0);
// One full repaint as the view does it: background, mapping, the map with
// circles and truce line, then the legend in window pixels.
template <class DC>
void Repaint(CImage& image, CStarMap& map, int zoom, int cx = 0, int cy = 0);

void RemoveBenchMaps();
