// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a text the glyph shaper refuses (ideographs,
// pictographs, letters under marks), laid out without the toolkit's layout
// of the whole text. Its glyphs stand where that layout puts them when each
// cluster's glyphs and the step to the next cluster are taken from the
// toolkit's layout of that pair of clusters alone: kerning and the placing
// of marks reach no further than a neighbour within one run of a script,
// and a space or pictograph takes its font from the cluster before it, so
// such a cluster is learnt with that cluster in front. Pairs are kept by
// what their clusters draw (the same glyphs of the same fonts, in the same
// kind of run), so the thousands of ideographs no installed font has share
// one pair. Learning a pair costs about as much as laying out a word; a
// map's names share most of theirs.

#include "platform/surface/Font.h"

#include <QRawFont>

#include <cstdint>
#include <string_view>
#include <vector>

namespace TextCache {

struct LaidOut {
    struct Glyph {
        std::uint32_t font;  // in fonts
        quint32 id;
        double x, y;  // the origin, in the font's pixels, from the text's origin on its baseline
    };
    std::vector<Glyph> glyphs;  // in the order of the text's characters
    double advance = 0.0;  // of the text's cell
    const std::vector<QRawFont>* fonts = nullptr;  // valid until the next text is laid out
    // Whether every cluster is laid out; if not, the advance is where the
    // pen stood at the first cluster left out.
    bool complete = true;
};

// text in font as the toolkit's left-to-right layout of the whole text
// lays it out; false when some pair of its clusters cannot be learnt apart
// from the rest (a character whose drawing depends on more than its
// cluster, a pair that merges into one glyph, a space at its end). Only
// the clusters whose pen stands at most until from the text's origin are
// laid out: the others lie past what shows.
bool LayOutFromPairs(const CFont& font, std::string_view text, int systemPixels, double until, LaidOut& out);

} // namespace TextCache
