// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the clusters of a text the glyph shaper refuses (a
// character with the marks, selectors and joiners that go with it), each
// laid out alone by the toolkit once and kept in its font's cache: where
// its glyphs stand from its pen, and how far it moves the pen.

#include "platform/surface/qt/GlyphPixels.h"

#include <QChar>
#include <QRawFont>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Clusters {

// How far left of its pen a cluster's ink may reach, in the font's heights
// (a mark may hang back over the letters before it).
constexpr double kClusterInkLeft = 3.0;

// How far past the device's right edge, in its widths, such a text is
// looked at first, and one that shows laid out: a few line steps of a
// scroll (one moves the view by a hundredth of its extent), so that a step
// finds them ready.
constexpr double kScrollAhead = 1.0 / 32.0;

// Clusters kept at most; past this they are laid out again as needed.
constexpr std::size_t kMaxClusters = 65536;

// The cluster codes[i, j) after the letter first (none when 0), from the
// toolkit's layout of the two.
GlyphPixels::ClusterMetrics LayOutCluster(GlyphPixels::Cache& c, char32_t first, const std::vector<char32_t>& codes,
                                          std::size_t i, std::size_t j);

// How a character stands in a text the shaper refuses, for the ink of
// its clusters: a character that starts a cluster, one that joins the
// cluster before it (marks, selectors, joiners, modifiers of pictographs,
// the second of a flag's two letters), or one whose drawing may depend on
// characters further off (format and control characters, right-to-left
// scripts, which reorder their neighbours).
enum class Place { Starts, Joins, Unknown };

inline bool RegionalIndicator(char32_t c)
{
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

inline Place PlaceOf(char32_t c)
{
    if (c == 0x200D || c == 0x200C || (c >= 0x1F3FB && c <= 0x1F3FF))
        return Place::Joins;
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return Place::Joins;
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
        return Place::Unknown;
    default:
        break;
    }
    switch (QChar::direction(c)) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
        return Place::Starts;
    default:
        return Place::Unknown;
    }
}

// Where the cluster starting at codes[i] ends; 0 when some character of
// it has no known place.
inline std::size_t ClusterEnd(const std::vector<char32_t>& codes, std::size_t i)
{
    std::size_t j = i + 1;
    if (RegionalIndicator(codes[i]) && j < codes.size() && RegionalIndicator(codes[j]))
        ++j;
    while (j < codes.size()) {
        const Place place = PlaceOf(codes[j]);
        if (place == Place::Unknown)
            return 0;
        if (place == Place::Starts)
            break;
        // A joiner takes the next character into its cluster.
        if (codes[j] == 0x200D && j + 1 < codes.size()) {
            if (PlaceOf(codes[j + 1]) == Place::Unknown)
                return 0;
            ++j;
        }
        ++j;
    }
    return j;
}

// Whether c is common to all scripts (or takes the script of its base).
// A run's script is that of its first letter; characters common to all
// scripts (spaces, digits, punctuation, pictographs) join the run before
// them, or at a text's start the run after them, and the toolkit takes
// their glyphs from the fonts it falls back on for that script.
inline bool Common(char32_t c)
{
    const QChar::Script script = QChar::script(c);
    return script == QChar::Script_Common || script == QChar::Script_Inherited;
}

// Whether the cluster at codes[i], in a run opened by letter (0 when the
// text has none), takes that run, and the fonts the toolkit falls back on
// for its script, from the clusters before it.
inline bool JoinsRun(const std::vector<char32_t>& codes, std::size_t i, char32_t letter)
{
    return letter != 0 && Common(codes[i]);
}

// The cluster codes[i, j) alone, within a run opened by the letter first
// (0 when the text has none), learnt once from the toolkit's layout of
// first and the cluster. The reference holds until the next call.
inline GlyphPixels::ClusterMetrics& ClusterOf(GlyphPixels::Cache& c, char32_t first,
                                              const std::vector<char32_t>& codes, std::size_t i, std::size_t j)
{
    const bool joins = JoinsRun(codes, i, first);
    const char32_t script = joins ? char32_t(QChar::script(first)) + 1 : char32_t(0);
    if (c.clusterInk.size() + c.charInk.size() + c.bmpClusters.size() >= kMaxClusters)
        c.clusterInk.clear(), c.charInk.clear(), c.bmpSlots.clear(), c.bmpClusters.clear();
    if (j == i + 1 && script == 0 && codes[i] < 0x10000) {
        if (c.bmpSlots.empty())
            c.bmpSlots.assign(0x10000, 0);
        std::uint32_t& slot = c.bmpSlots[codes[i]];
        if (slot == 0) {
            c.bmpClusters.push_back(LayOutCluster(c, 0, codes, i, j));
            slot = std::uint32_t(c.bmpClusters.size());
        }
        return c.bmpClusters[slot - 1];
    }
    GlyphPixels::ClusterMetrics* metrics = nullptr;
    if (j <= i + 2) {  // one or two characters (a letter and its mark), kept without a string
        const std::uint64_t second = j == i + 2 ? codes[i + 1] : 0;  // no cluster holds a NUL
        auto [found, added] =
            c.charInk.TryEmplace((std::uint64_t(script) << 42) | (std::uint64_t(codes[i]) << 21) | second);
        if (!added)
            return *found;
        metrics = found;
    } else {
        c.clusterKey.assign(1, script);
        c.clusterKey.append(codes.begin() + std::ptrdiff_t(i), codes.begin() + std::ptrdiff_t(j));
        auto found = c.clusterInk.find(c.clusterKey);
        if (found != c.clusterInk.end())
            return found->second;
        metrics = &c.clusterInk[c.clusterKey];
    }
    *metrics = LayOutCluster(c, joins ? first : 0, codes, i, j);
    return *metrics;
}

// The index of raw in c's cluster fonts.
std::uint32_t ClusterFont(GlyphPixels::Cache& c, const QRawFont& raw);

} // namespace Clusters
