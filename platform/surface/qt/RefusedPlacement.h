// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: where a text the glyph shaper refuses lands, as
// TextCache::Measure answers it. Such a text is bounded by its clusters (a
// character with its marks and joiners), each laid out alone once and kept
// (qt/Clusters), without a layout of the whole text, and what it reached is
// kept (qt/RefusedReaches): measured again at that place, or moved there
// by whole pixels, it is hidden at once under cover of all of that. Where
// its clusters cannot bound it, it is measured from the toolkit's layout of
// the whole text.

#include "platform/surface/Font.h"
#include "platform/surface/qt/GlyphPixels.h"
#include "platform/surface/qt/TextCache.h"

#include <QRect>
#include <QTransform>

#include <optional>
#include <string_view>

class CCoverage;

namespace RefusedPlacement {

// Of a text the shaper refused before (kept in c): what Measure answers
// over cover; nothing when it is not kept.
std::optional<bool> MeasureKept(GlyphPixels::Cache& c, const QTransform& t, const CFont& font, std::string_view text,
                                const QRect& device, const CCoverage& cover, TextCache::GlyphPlaces* later,
                                TextCache::TextBounds& bounds);

// Of a text the shaper has just refused (its characters are the shaper's
// last ones): what Measure answers, kept when cover is given.
bool Measure(GlyphPixels::Cache& c, const QTransform& t, const CFont& font, std::string_view text, const QRect& device,
             const CCoverage* cover, TextCache::GlyphPlaces* later, TextCache::TextBounds& bounds);

} // namespace RefusedPlacement
