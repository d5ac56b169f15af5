// SPDX-License-Identifier: MIT
// Where a text lands on a device (its cell and every pixel it can write),
// and which glyphs of a large one show: the placement side of the text
// cache (TextCache.h); the glyph pixels are qt/GlyphPixels', and texts
// the shaper refuses qt/RefusedPlacement's.
#include "platform/surface/qt/TextCache.h"

#include "platform/surface/TextEncoding.h"
#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/GlyphGuess.h"
#include "platform/surface/qt/GlyphPixels.h"
#include "platform/surface/qt/RefusedPlacement.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <optional>
#include <vector>

using namespace GlyphPixels;

namespace TextCache {

std::size_t GlyphPlaces::Hash::operator()(const Place& p) const
{
    std::size_t h = std::hash<const void*>()(p.cache);
    for (double v : {p.x, p.y, p.sx, p.sy})
        h = h * 1000003u ^ std::hash<double>()(v);
    return (h * 1000003u ^ p.font) * 1000003u ^ p.id;
}

bool Measure(const QTransform& t, const CFont& font, std::string_view text, int systemPixels, int width,
             int height, TextBounds& bounds, const CCoverage* cover, GlyphPlaces* later)
{
    bounds = TextBounds();
    Cache* c = Applies(t, font) ? &CacheFor(font, systemPixels) : nullptr;
    const QRect device(0, 0, width, height);
    if (c == nullptr) {
        // Unknown extent: all of the device may change, none surely.
        bounds.reach = device;
        return true;
    }
    // A text the shaper refused before is refused again.
    if (cover != nullptr) {
        const std::optional<bool> kept = RefusedPlacement::MeasureKept(*c, t, font, text, device, *cover, later, bounds);
        if (kept.has_value())
            return *kept;
    }
    double advance = 0.0;
    if (!c->shaper->Shape(text, font.GetTextEncoding(), Scratch(), advance))
        return RefusedPlacement::Measure(*c, t, font, text, device, cover, later, bounds);
    const QRect cell = CellOf(t, *c, advance);
    bounds.fast = Small(t, *c);
    if (bounds.fast) {
        UseScale(*c, t);
        bounds.reach = (cell | InkOf(*c, t, Scratch())) & device;
        bounds.cell = cell & device;
        return !bounds.reach.isEmpty();
    }
    // The plain path measures its cell's length on its own, and may end it
    // a pixel either side of this one; its height is the shaper's, and both
    // round its edges alike.
    bounds.fill = cell.marginsAdded(QMargins(0, 0, 1, 0)) & device;
    bounds.reach = (bounds.fill | GlyphsGuess(t, Scratch())) & device;
    bounds.cell = cell.marginsRemoved(QMargins(0, 0, 1, 0)) & device;
    return !bounds.reach.isEmpty();
}

bool PickGlyphs(const QTransform& t, const CFont& font, std::string_view text, int systemPixels,
                const CCoverage& cover, std::vector<std::uint32_t>& picks)
{
    if (!Applies(t, font))
        return false;
    Cache& c = CacheFor(font, systemPixels);
    double advance = 0.0;
    std::vector<PlacedGlyph>& glyphs = Scratch();
    if (!c.shaper->Shape(text, font.GetTextEncoding(), glyphs, advance))
        return false;
    for (std::size_t j = 0; j < glyphs.size(); ++j) {
        const PlacedGlyph& g = glyphs[j];
        // A name may run on for thousands of pixels past the device.
        if (GlyphBesideDevice(t, g, cover.Width()))
            continue;
        const QRect guess = GlyphGuess(t, g);
        if (cover.Covers(guess))
            continue;
        // The guess shows: the exact pixels may still lie under the cells.
        // Where little of the guess shows, only that little is looked at.
        const GlyphAt at{g.id, g.code, g.x, c.shaper->Ascent()};
        const QRect open = cover.Uncovered(guess);
        QRect exact;
        if (qint64(open.width()) * open.height() * 4 <= qint64(guess.width()) * guess.height()
                ? c.extents.Misses(c.font, t, at, guess, open)
                : c.extents.Find(c.font, t, at, guess, exact) && cover.Covers(exact))
            continue;
        picks.push_back(std::uint32_t(j));
    }
    return true;
}

void DrawPicked(QPainter& p, const QTransform& t, const CFont& font, std::string_view text, int systemPixels,
                const std::uint32_t* picks, std::size_t count, COLORREF textColor, COLORREF bkColor)
{
    Cache& c = CacheFor(font, systemPixels);
    double advance = 0.0;
    std::vector<PlacedGlyph>& glyphs = Scratch();
    c.shaper->Shape(text, font.GetTextEncoding(), glyphs, advance);
    const QFont f = RealiseFont(font, systemPixels);
    const QFontMetricsF fm(f, p.device());
    SetRasterOp(p, false);
    p.setTransform(t);
    // The cell as the plain way fills it, measured the same way.
    p.fillRect(QRectF(0, 0, fm.horizontalAdvance(TextOf(font, text.data(), int(text.size()))),
                      fm.ascent() + fm.descent()),
               ToQColor(bkColor));
    // Each glyph as the toolkit draws it within the whole text: its
    // character alone at the glyph's place on the text's baseline (a
    // glyph's pixels do not depend on its neighbours).
    p.setFont(f);
    p.setPen(ToQColor(textColor));
    for (std::size_t i = 0; i < count; ++i)
        if (picks[i] < glyphs.size()) {
            const PlacedGlyph& g = glyphs[picks[i]];
            p.drawText(QPointF(g.x, fm.ascent()), QString::fromUcs4(&g.code, 1));
        }
    p.resetTransform();
}

} // namespace TextCache
