// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the clusters of a text the glyph shaper refuses (a
// character with the marks, selectors and joiners that go with it), each
// laid out alone by the toolkit once and kept in its font's cache: where
// its glyphs stand from its pen, and how far it moves the pen.

#include "platform/surface/qt/GlyphPixels.h"

#include <QRawFont>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Clusters {

// How far left of its pen a cluster's ink may reach, in the font's heights
// (a mark may hang back over the letters before it).
constexpr double kClusterInkLeft = 3.0;

// How a character stands in a text the shaper refuses, for the ink of
// its clusters: a character that starts a cluster, one that joins the
// cluster before it (marks, selectors, joiners, modifiers of pictographs,
// the second of a flag's two letters), or one whose drawing may depend on
// characters further off (format and control characters, right-to-left
// scripts, which reorder their neighbours).
enum class Place { Starts, Joins, Unknown };
Place PlaceOf(char32_t c);

// Where the cluster starting at codes[i] ends; 0 when some character of
// it has no known place.
std::size_t ClusterEnd(const std::vector<char32_t>& codes, std::size_t i);

// Whether c is common to all scripts (or takes the script of its base).
bool Common(char32_t c);

// The cluster codes[i, j) alone, within a run opened by the letter first
// (0 when the text has none), learnt once from the toolkit's layout of
// first and the cluster. The reference holds until the next call.
GlyphPixels::ClusterMetrics& ClusterOf(GlyphPixels::Cache& c, char32_t first, const std::vector<char32_t>& codes,
                                       std::size_t i, std::size_t j);

// The index of raw in c's cluster fonts.
std::uint32_t ClusterFont(GlyphPixels::Cache& c, const QRawFont& raw);

} // namespace Clusters
