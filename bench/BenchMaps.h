#pragma once

// The generated maps of the benchmarks, written once per run to a
// temporary folder, and the view's screen mapping they are painted under.

#include <string>

class CDC;
class CImage;
class CStarMap;

// Path of the generated file of that many planets.
const std::string& BenchMapPath(int planets);
// A map loaded from it, kept for the whole run.
CStarMap& BenchMap(int planets);

// The back buffer of a 1920 x 1080 window.
constexpr int kClientWidth = 1920, kClientHeight = 1080;
// What the view does before OnDraw: the isotropic mapping of its client
// area less the scroll-bar metric (16) on each axis, centred on the origin.
void PrepareScreen(CDC& dc, int zoom);
// One full repaint as the view does it: background, mapping, the map with
// circles and truce line, then the legend in window pixels.
template <class DC>
void Repaint(CImage& image, CStarMap& map, int zoom);

void RemoveBenchMaps();
