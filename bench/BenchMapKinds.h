// SPDX-License-Identifier: MIT
#pragma once

// The five maps every benchmark path is measured on, each written the same
// way byte for byte on every run:
// - realistic: 32767 planets, about three in four names distinct (at least
//   24,000), one to three invented words of about 12 characters on average,
//   in clusters and a thin spread over +-620 file units, faction codes of
//   the table with a few unknown ones, and one "Morvath";
// - today: the earlier benchmark map (GeneratedMapText), kept so that new
//   figures can be set against the old ones;
// - packed: 32767 planets within 20 x 20 file units around the origin;
// - stacked: 32767 planets on the origin, each with a name of 65 characters;
// - stacked-scripts: 32767 planets on the origin, each named in ideographs
//   and kana, pictographs after letters, or letters under combining marks
//   (names the glyph shaper leaves to the plain path, whose glyphs stay
//   within the text's cell), of kStackedScriptsNameBytes bytes at most.

#include <optional>
#include <string>
#include <string_view>

enum class BenchMapKind { Realistic, Today, Packed, Stacked, StackedScripts };

inline constexpr BenchMapKind kBenchMapKinds[] = {BenchMapKind::Realistic, BenchMapKind::Today, BenchMapKind::Packed,
                                                  BenchMapKind::Stacked, BenchMapKind::StackedScripts};
inline constexpr int kBenchMapPlanets = 32767;
inline constexpr int kStackedNameLength = 65;
// Short of the loader's 79-byte pieces.
inline constexpr int kStackedScriptsNameBytes = 60;

// "realistic", "today", "packed", "stacked", "stacked-scripts".
const char* BenchMapKindName(BenchMapKind kind);
std::optional<BenchMapKind> BenchMapKindFromName(std::string_view name);

// The map's file text; planets (at most kBenchMapPlanets) cuts it short.
std::string BenchMapText(BenchMapKind kind, int planets = kBenchMapPlanets);

// The map point the benchmarks and tests centre the view on, where the
// view shows the map's crowd at every zoom: the origin, or for the stacked
// maps the start of the names that hang below their one point.
struct BenchMapCentre {
    int x, y;
};
BenchMapCentre BenchMapCentreOf(BenchMapKind kind);
