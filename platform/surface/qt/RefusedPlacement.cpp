// SPDX-License-Identifier: MIT
// Where a text the glyph shaper refuses lands (qt/RefusedPlacement.h).
#include "platform/surface/qt/RefusedPlacement.h"

#include "platform/surface/TextEncoding.h"
#include "platform/surface/qt/Clusters.h"
#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/GlyphGuess.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace Clusters;
using namespace GlyphPixels;

namespace {

// How far, in the font's pixels, the pen of the whole text's layout may
// stand from the sum of its clusters' own advances after the first: pairs
// of letters across a cluster's marks may kern, and a cluster laid out
// alone may round its advance another way.
constexpr double kPenSlack = 1.5;

// The pixels a glyph of a small text the shaper refuses writes, from the
// pixel its origin falls on (as for the shaper's glyphs: x down, y to
// nearest).
QRect SmallGlyphPixels(Cache& c, ClusterGlyph& g)
{
    if (g.pixelsOf != c.scaleGeneration) {
        auto [found, added] = c.clusterGlyphPixels.TryEmplace((std::uint64_t(g.font) << 32) | g.id);
        if (added) {
            const Mask m = RenderMask(c, c.clusterFonts[g.font], g.id);
            *found = m.width == 0 ? QRect() : QRect(m.dx, m.dy, m.width, m.height);
        }
        g.pixels = *found;
        g.pixelsOf = c.scaleGeneration;
    }
    return g.pixels;
}

// Every device pixel glyph g of a cluster whose origin lies pen (give or
// take slack) from the text's origin, in the font's pixels, may write; the
// positions that is rounded from are added to rounded. code is the
// cluster's character when it is one alone, else 0.
QRect ClusterGlyphReach(Cache& c, const QTransform& t, ClusterGlyph& g, char32_t code, double pen, double slack,
                        RoundedSpan& rounded)
{
    const double x = t.dx() + t.m11() * (pen + g.at.x()), y = t.dy() + t.m22() * (c.shaper->Ascent() + g.at.y());
    const double spread = t.m11() * slack;
    rounded.Add(x - spread, x + spread, y);
    if (Small(t, c)) {
        const QRect pixels = SmallGlyphPixels(c, g);
        if (pixels.isNull())
            return QRect();
        const int left = Edge(std::floor(ToFixed(x - spread))), right = Edge(std::floor(ToFixed(x + spread)));
        const int top = Edge(std::floor(ToFixed(y) + 0.5));
        return QRect(QPoint(left + pixels.left(), top + pixels.top()),
                     QPoint(right + pixels.right(), top + pixels.bottom()));
    }
    // Filled as an outline: within its outline's box, as for large glyphs
    // (qt/GlyphGuess).
    const QRawFont& raw = c.clusterFonts[g.font];
    const QRectF ink = InkBox(c, raw, g.id);
    if (ink.isNull())
        return QRect();
    const QRect guess(QPoint(Edge(std::floor(x - spread + t.m11() * ink.left())) - kInkMargin,
                             Edge(std::floor(y + t.m22() * ink.top())) - kInkMargin),
                      QPoint(Edge(std::ceil(x + spread + t.m11() * ink.right())) + kInkMargin,
                             Edge(std::ceil(y + t.m22() * ink.bottom())) + kInkMargin));
    // A character of the text's own font at a known place: its exact
    // pixels, as for the shaper's large glyphs (the extents are kept by
    // glyph of that font).
    QRect exact;
    if (slack == 0.0 && code != 0 && g.at.y() == 0.0 && raw == c.shaper->RawFont() &&
        c.extents.Find(c.font, t, GlyphAt{g.id, code, pen + g.at.x(), c.shaper->Ascent()}, guess, exact))
        return exact;
    return guess;
}

// Where a text the shaper refuses lands, found from its clusters alone,
// without a layout of the whole text: each cluster's glyphs from the sum of
// the clusters' advances before it. The reach of a text is every pixel it
// may write, its cell the pixels it surely fills. hidden tells whether all
// of its reach lies under cover (or off the device). The three boxes are
// not cut to the device, and hold every cluster whose ink may reach left
// of lookedTo (a device column), those before next; rounded holds the
// positions they are rounded from. Of the reach, shown bounds what lies on
// the device.
struct CheapBounds {
    QRect reach, shown, fill, cell;
    bool hidden = true;
    double lookedTo = std::numeric_limits<double>::infinity();
    ClusterStep next;
    RoundedSpan rounded;
};

// How a look along a text's clusters ended: at the text's end, at a cluster
// whose ink would start right of where it looks to, where it was told to
// stop, or at a character of no known place.
enum class Walked { Done, Past, Stopped, Unknown };

// Looks along the clusters of c.codes from at, while more(i) holds of the
// cluster at c.codes[i], passing each glyph of each cluster with its reach
// under t to glyph(i, g, reach), and adding the positions its pixels are
// rounded from to rounded. at is then where the look stands.
template <class More, class Glyph>
Walked WalkClusters(Cache& c, const QTransform& t, double lookTo, ClusterStep& at, RoundedSpan& rounded, More&& more,
                    Glyph&& glyph)
{
    while (at.at < c.codes.size()) {
        const std::size_t i = at.at;
        // Clusters never step the pen back, so once the next one's ink
        // would start right of lookTo, so would all the rest's.
        if (t.m11() > 0 && t.dx() + t.m11() * (at.pen - kPenSlack - kClusterInkLeft * c.shaper->Height()) > lookTo)
            return Walked::Past;
        if (!more(i))
            return Walked::Stopped;
        const std::size_t j = ClusterEnd(c.codes, i);
        if (j == 0)
            return Walked::Unknown;
        if (!Common(c.codes[i]))
            at.letter = c.codes[i];
        ClusterMetrics& cluster = ClusterOf(c, at.letter, c.codes, i, j);
        // The first cluster stands at the text's origin exactly.
        const double slack = i == 0 ? 0.0 : kPenSlack;
        const char32_t code = j == i + 1 ? c.codes[i] : 0;
        for (ClusterGlyph& g : cluster.glyphs)
            glyph(i, g, ClusterGlyphReach(c, t, g, code, at.pen, slack, rounded));
        at.pen += cluster.advance;
        at.at = std::uint32_t(j);
    }
    return Walked::Done;
}

// How far a look along a text's clusters runs past what the device needs:
// not at all, to tell whether it must look further (Needed); a few scroll
// steps on a first look (First, kScrollAhead); and a line of the text's
// height when looking further (Further; within that and a quarter of the
// width): a step moves a text by a fraction of a line, or by a sixth of
// the width.
enum class Ahead { Needed, First, Further };

// The device column a look along a text's clusters runs to: past the
// device's right edge by as far as its ink may reach, and by ahead more.
double LookTo(const Cache& c, const QTransform& t, const QRect& device, Ahead ahead)
{
    const double width = device.width();
    const double more = ahead == Ahead::Needed ? 0.0
                        : ahead == Ahead::First
                            ? width * kScrollAhead
                            : std::clamp(t.m11() * c.shaper->Height(), width * kScrollAhead, width / 4.0);
    return device.right() + kInkMargin + 1 + more;
}

// The cell of a text as the plain way fills it, from the whole text's
// advance: within a pixel of its clusters' sum (pen), give or take the
// slack. fill holds every pixel it may fill, cell those it surely fills.
void CellBounds(const Cache& c, const QTransform& t, double pen, QRect& fill, QRect& cell, RoundedSpan& rounded)
{
    const double slack = c.codes.size() > 1 ? kPenSlack : 0.0;
    rounded.Add(t.dx(), t.dx() + t.m11() * (pen + slack), t.dy());
    rounded.Add(t.dx(), t.dx(), t.dy() + t.m22() * c.shaper->Height());
    fill = CellOf(t, c, pen + slack).marginsAdded(QMargins(0, 0, 1, 0));
    const QRect sure = CellOf(t, c, std::max(pen - slack, 0.0)).marginsRemoved(QMargins(0, 0, 1, 0));
    cell = sure.isValid() ? sure : QRect();
}

// False when a character's drawing may depend on more than its cluster.
// c.codes holds the text's characters. With its bounds known (kept from
// an earlier measure at the same place), the clusters after the first are
// looked at only until one shows, and bounds holds all but whether it is
// hidden.
bool CheapMeasure(Cache& c, const QTransform& t, const CCoverage& cover, const TextCache::GlyphPlaces* later,
                  const QRect& device, bool boundsKnown, CheapBounds& bounds)
{
    // Where a look stands is kept in 32 bits (ClusterStep).
    if (c.codes.empty() || c.codes.size() > UINT32_MAX || PlaceOf(c.codes.front()) != Place::Starts)
        return false;
    UseScale(c, t);
    bounds = CheapBounds();
    const auto letter = std::find_if(c.codes.begin(), c.codes.end(), [](char32_t ch) { return !Common(ch); });
    bounds.next.letter = letter != c.codes.end() ? *letter : 0;
    c.firstPlaces.clear();
    const auto more = [&](std::size_t i) { return !boundsKnown || bounds.hidden || i == 0; };
    const auto glyph = [&](std::size_t i, const ClusterGlyph& g, const QRect& reach) {
        bounds.reach |= reach;
        const QRect shown = reach & device;
        if (shown.isEmpty())
            return;
        bounds.shown |= shown;
        bool drawnOver = false;
        if (i == 0) {
            const TextCache::GlyphPlaces::Place place{&c, g.font, g.id, t.dx() + t.m11() * g.at.x(),
                                                      t.dy() + t.m22() * (c.shaper->Ascent() + g.at.y()),
                                                      t.m11(), t.m22()};
            c.firstPlaces.push_back(place);
            drawnOver = later != nullptr && later->Holds(place);
        }
        bounds.hidden = bounds.hidden && (drawnOver || cover.Covers(shown));
    };
    const double lookTo = LookTo(c, t, device, Ahead::First);
    switch (WalkClusters(c, t, lookTo, bounds.next, bounds.rounded, more, glyph)) {
    case Walked::Unknown:
        return false;
    case Walked::Stopped:
        return true;
    case Walked::Past:
        // The cell ends past the device's right edge either way.
        bounds.lookedTo = lookTo;
        break;
    case Walked::Done:
        break;
    }
    CellBounds(c, t, bounds.next.pen, bounds.fill, bounds.cell, bounds.rounded);
    bounds.hidden = bounds.hidden && cover.Covers(bounds.fill & device);
    bounds.reach |= bounds.fill;
    bounds.shown |= bounds.fill & device;
    return true;
}

// The device pixels a text the shaper refuses may write, and those it
// surely covers, from the toolkit's layout of the whole text as the plain
// way draws it: its cell from the same advance, its ink from the outline
// box (and, for a glyph drawn from a picture, the metrics box) of every
// glyph at its place, from whatever font the toolkit takes it. The ink
// reaches kInkMargin pixels further, as for large glyphs (qt/GlyphGuess).
void MeasureWhole(Cache& c, const QTransform& t, const CFont& font, std::string_view text,
                  const QRect& device, TextCache::TextBounds& bounds)
{
    const QString s = TextOf(font, text.data(), int(text.size()));
    const QFontMetricsF fm(c.font);
    const QRect cell = CellOf(t, c, fm.horizontalAdvance(s));
    QTextLayout layout(s, c.font);
    layout.setCacheEnabled(true);  // or the glyph runs shape it again
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    // The layout's baseline sits at the tallest font's ascent; the plain
    // way puts it at this font's.
    const QPointF shift(0, fm.ascent() - line.ascent());
    QRectF ink;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    for (const QGlyphRun& run : runs) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> ids = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype i = 0; i < ids.size() && i < at.size(); ++i) {
            ink |= InkBox(c, raw, ids[i]).translated(at[i] + shift);
        }
    }
    const QRect inkPixels = ink.isNull() ? QRect()
                                         : t.mapRect(ink).toAlignedRect().marginsAdded(
                                               QMargins(kInkMargin, kInkMargin, kInkMargin, kInkMargin));
    // The plain way may end its cell a pixel either side of this one, as
    // for a large text.
    bounds.fill = cell.marginsAdded(QMargins(0, 0, 1, 0)) & device;
    bounds.reach = (bounds.fill | inkPixels) & device;
    bounds.cell = cell.marginsRemoved(QMargins(0, 0, 1, 0)) & device;
}

// How far, in whole device pixels, t puts a text from where r was kept,
// when its pixels there are r's moved that far: under the same scale, on
// a device of the same size, and no position its pixels are rounded from
// changing sign.
std::optional<QPoint> OffsetTo(const RefusedReach& r, const QTransform& t, const QRect& device)
{
    if (r.sx != t.m11() || r.sy != t.m22() || r.width != device.width() || r.height != device.height())
        return std::nullopt;
    if (r.dx == t.dx() && r.dy == t.dy())
        return QPoint();
    const double ox = t.dx() - r.dx, oy = t.dy() - r.dy;
    if (ox != std::trunc(ox) || oy != std::trunc(oy) || !r.rounded.MovesWhole(ox, oy))
        return std::nullopt;
    return QPoint(int(ox), int(oy));
}

// Keeps b as what text reached here, in kept when it was kept before.
void KeepReach(Cache& c, const QTransform& t, std::string_view text, const QRect& device, const CheapBounds& b,
               RefusedReach* kept)
{
    if (kept == nullptr)
        kept = &c.refusedReaches.Add(text);
    *kept = RefusedReach{t.dx(), t.dy(), t.m11(), t.m22(), device.width(), device.height(),
                         b.reach, b.shown, b.fill, b.cell, b.lookedTo, b.next, b.rounded};
}

// Moves what r kept by offset, to where t puts it on device. What shows
// of its reach there is bounded by all of it.
void MoveReach(RefusedReach& r, const QTransform& t, const QPoint& offset, const QRect& device)
{
    r.dx = t.dx(), r.dy = t.dy(), r.lookedTo += offset.x();
    r.rounded.Move(offset.x(), offset.y());
    r.reach.translate(offset), r.fill.translate(offset);
    r.shown = r.reach & device;
    if (r.cell.isValid())
        r.cell.translate(offset);
}

// Looks along a text kept as r, moved to where t puts it, at the clusters
// past those looked at before, up to a few scroll steps past the device's
// right edge; false when one has no known place. c.codes holds the
// text's characters.
bool LookFurther(Cache& c, const QTransform& t, const QRect& device, RefusedReach& r)
{
    UseScale(c, t);
    const double lookTo = LookTo(c, t, device, Ahead::Further);
    const auto all = [](std::size_t) { return true; };
    const auto glyph = [&](std::size_t, const ClusterGlyph&, const QRect& reach) { r.reach |= reach; };
    const Walked walked = WalkClusters(c, t, lookTo, r.next, r.rounded, all, glyph);
    if (walked == Walked::Unknown)
        return false;
    r.lookedTo = walked == Walked::Past ? lookTo : std::numeric_limits<double>::infinity();
    CellBounds(c, t, r.next.pen, r.fill, r.cell, r.rounded);
    r.reach |= r.fill;
    r.shown = r.reach & device;
    return true;
}

// A text the shaper refuses, bounded by its clusters (CheapMeasure), as
// Measure answers; nothing when it cannot be bounded so. kept is what it
// reached when last measured, offset how far from there it now stands
// when that tells where it reaches here (OffsetTo).
std::optional<bool> MeasureRefused(Cache& c, const QTransform& t, std::string_view text, const QRect& device,
                                   const CCoverage& cover, TextCache::GlyphPlaces* later, RefusedReach* kept,
                                   const std::optional<QPoint>& offset, TextCache::TextBounds& bounds)
{
    const bool known = offset.has_value();
    CheapBounds cheap;
    if (!CheapMeasure(c, t, cover, later, device, known, cheap))
        return std::nullopt;
    if (!known)
        KeepReach(c, t, text, device, cheap, kept);
    else if (!offset->isNull())
        MoveReach(*kept, t, *offset, device);
    if (cheap.hidden)
        return false;
    if (later != nullptr)
        for (const TextCache::GlyphPlaces::Place& place : c.firstPlaces)
            later->Add(place);
    if (known)
        cheap.shown = kept->shown, cheap.fill = kept->fill, cheap.cell = kept->cell;
    bounds.reach = cheap.shown, bounds.fill = cheap.fill & device;
    bounds.cell = cheap.cell.isValid() ? cheap.cell & device : QRect();
    return !bounds.reach.isEmpty();
}

} // namespace

namespace RefusedPlacement {

std::optional<bool> MeasureKept(Cache& c, const QTransform& t, const CFont& font, std::string_view text,
                                const QRect& device, const CCoverage& cover, TextCache::GlyphPlaces* later,
                                TextCache::TextBounds& bounds)
{
    RefusedReach* kept = c.refusedReaches.Find(text);
    if (kept == nullptr)
        return std::nullopt;
    std::optional<QPoint> offset = OffsetTo(*kept, t, device);
    bool decoded = false;
    if (offset.has_value() && kept->lookedTo + offset->x() < LookTo(c, t, device, Ahead::Needed)) {
        // Moved left past what was looked at: looked at further first.
        ToCharacters(text, font.GetTextEncoding(), c.codes);
        decoded = true;
        MoveReach(*kept, t, *offset, device);
        offset = LookFurther(c, t, device, *kept) ? std::optional(QPoint()) : std::nullopt;
    }
    if (offset.has_value() && cover.Covers(offset->isNull() ? kept->shown : kept->reach.translated(*offset) & device))
        return false;
    if (!decoded)
        ToCharacters(text, font.GetTextEncoding(), c.codes);
    const std::optional<bool> shows = MeasureRefused(c, t, text, device, cover, later, kept, offset, bounds);
    if (shows.has_value())
        return *shows;
    MeasureWhole(c, t, font, text, device, bounds);
    return !bounds.reach.isEmpty();
}

bool Measure(Cache& c, const QTransform& t, const CFont& font, std::string_view text, const QRect& device,
             const CCoverage* cover, TextCache::GlyphPlaces* later, TextCache::TextBounds& bounds)
{
    // The toolkit's layout of a whole text costs a great deal more than
    // the shaper's: its clusters' bounds first.
    if (cover != nullptr) {
        c.codes = c.shaper->Characters();
        const std::optional<bool> shows = MeasureRefused(c, t, text, device, *cover, later, nullptr, std::nullopt, bounds);
        if (shows.has_value())
            return *shows;
    }
    MeasureWhole(c, t, font, text, device, bounds);
    return !bounds.reach.isEmpty();
}

} // namespace RefusedPlacement
