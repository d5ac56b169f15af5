// SPDX-License-Identifier: MIT
#include "platform/surface/qt/TextRuns.h"

#include "platform/surface/qt/ClusterPairs.h"
#include "platform/surface/qt/Clusters.h"
#include "platform/surface/qt/DrawingRules.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// How far a glyph's pixels may reach past its outline's box, in device
// pixels: hinting and the rounding of its place (as for the large glyphs'
// guesses, with a pixel more).
constexpr double kInkMargin = 3.0;

// Glyph outlines kept at most; past this they are read from the fonts again.
constexpr std::size_t kMaxOutlines = 8192;
// Glyph boxes kept at most, likewise.
constexpr std::size_t kMaxBoxes = 65536;

// An outline's box past this many of the font's pixels is taken as unbounded.
constexpr std::int16_t kUnbounded = 30000;

// v in 1/64 of a pixel, as the layout keeps places; false when it is not
// a whole number of them.
bool InFixed(double v, std::int32_t& fixed)
{
    const double scaled = v * 64.0;
    if (!(std::abs(scaled) < 1e9) || scaled != std::floor(scaled))
        return false;
    fixed = std::int32_t(scaled);
    return true;
}

// Characters whose drawing by the painter differs from the layout's: tabs,
// line breaks, and a soft hyphen, which a line of the layout that ends
// after it shows as a hyphen.
bool LaysOutAsDrawn(const QString& s)
{
    return std::none_of(s.begin(), s.end(), [](QChar ch) {
        return ch.category() == QChar::Other_Control || ch == QChar::LineSeparator ||
               ch == QChar::ParagraphSeparator || ch == QChar::SoftHyphen;
    });
}

} // namespace

CTextRuns& CTextRuns::Shared()
{
    static CTextRuns runs(kTextRunBytes);
    return runs;
}

void CTextRuns::Clear()
{
    m_outlines.clear();
    m_boxes.clear();
    m_index.clear();
    m_entries.clear();
    m_fonts.clear();
    m_bytes = 0;
}

const std::string& CTextRuns::KeyOf(const QPainter& p, const CFont& font, std::string_view text, int systemPixels)
{
    m_key.clear();
    const LOGFONT& desc = font.GetLogFont();
    m_key.append(reinterpret_cast<const char*>(&desc), sizeof desc);
    const int numbers[] = {int(font.GetTextEncoding()), font.IsSystemFont() ? systemPixels : -1,
                           p.device()->logicalDpiX(), p.device()->logicalDpiY(), int(p.layoutDirection())};
    m_key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    m_key.append(text);
    return m_key;
}

bool CTextRuns::Holds(const QPainter& p, const CFont& font, std::string_view text, int systemPixels)
{
    return m_index.count(KeyOf(p, font, text, systemPixels)) != 0;
}

std::uint32_t CTextRuns::FontIndex(const QRawFont& raw)
{
    auto found = std::find(m_fonts.begin(), m_fonts.end(), raw);
    if (found != m_fonts.end())
        return std::uint32_t(found - m_fonts.begin());
    m_fonts.push_back(raw);
    return std::uint32_t(m_fonts.size() - 1);
}

// A glyph of raw at (x, y) as kept; false when that is not a place the
// layout keeps.
bool CTextRuns::MakeGlyph(std::uint32_t font, quint32 id, double x, double y, Glyph& g)
{
    g = Glyph{id, 0, 0, -kUnbounded, -kUnbounded, kUnbounded, kUnbounded};
    if (!InFixed(x, g.x) || !InFixed(y, g.y))
        return false;
    const QRectF& box = BoxOf(font, id);
    if (!box.isEmpty() && std::max(std::abs(box.left()), std::abs(box.right())) < kUnbounded &&
        std::max(std::abs(box.top()), std::abs(box.bottom())) < kUnbounded) {
        g.left = std::int16_t(std::floor(box.left())), g.top = std::int16_t(std::floor(box.top()));
        g.right = std::int16_t(std::ceil(box.right())), g.bottom = std::int16_t(std::ceil(box.bottom()));
    }
    return true;
}

// The font asked once for each glyph's box: a glyph of a picture font (as
// pictographs come in colour) is decoded from its picture on every ask.
const QRectF& CTextRuns::BoxOf(std::uint32_t font, quint32 id)
{
    if (m_boxes.size() >= kMaxBoxes)
        m_boxes.clear();
    auto [found, added] = m_boxes.try_emplace((std::uint64_t(font) << 32) | id);
    if (added)
        found->second = m_fonts[font].boundingRect(id);
    return found->second;
}

// Adds run's glyphs to layout, moved down by shift; false when a place is
// not one the layout keeps.
bool CTextRuns::Keep(const QGlyphRun& run, double shift, Layout& layout)
{
    const QRawFont raw = run.rawFont();
    const QList<quint32> ids = run.glyphIndexes();
    const QList<QPointF> at = run.positions();
    const Run kept{FontIndex(raw), std::uint32_t(layout.glyphs.size()), std::uint32_t(std::min(ids.size(), at.size()))};
    for (qsizetype k = 0; k < qsizetype(kept.count); ++k) {
        Glyph g;
        if (!MakeGlyph(kept.font, ids[k], at[k].x(), at[k].y() + shift, g))
            return false;
        layout.glyphs.push_back(g);
    }
    layout.runs.push_back(kept);
    return true;
}

// The glyphs of text laid out from pairs of its clusters, in runs by font
// as the toolkit's layout gives them (a run's outlines are filled as one
// path), the baseline at ascent; false when a place is not one the layout
// keeps.
bool CTextRuns::KeepLaidOut(const TextCache::LaidOut& laid, double ascent, Layout& layout)
{
    m_laidFonts.clear();
    for (const TextCache::LaidOut::Glyph& g : laid.glyphs)
        if (std::find(m_laidFonts.begin(), m_laidFonts.end(), g.font) == m_laidFonts.end())
            m_laidFonts.push_back(g.font);
    for (std::uint32_t font : m_laidFonts) {
        Run run{FontIndex((*laid.fonts)[font]), std::uint32_t(layout.glyphs.size()), 0};
        for (const TextCache::LaidOut::Glyph& g : laid.glyphs) {
            if (g.font != font)
                continue;
            Glyph kept;
            if (!MakeGlyph(run.font, g.id, g.x, ascent + g.y, kept))
                return false;
            layout.glyphs.push_back(kept);
            ++run.count;
        }
        layout.runs.push_back(run);
    }
    return true;
}

// The toolkit's layout of text, as the painter lays it out to draw it: the
// same font resolved for the same device, the same direction.
CTextRuns::Layout CTextRuns::LayOut(const QPainter& p, const CFont& font, const QFont& f, std::string_view text,
                                   int systemPixels, const Reach& reach, double atLeast)
{
    Layout layout;
    const QString s = TextOf(font, text.data(), int(text.size()));
    if (s.isEmpty() || f.underline() || f.strikeOut() || f.overline() || !LaysOutAsDrawn(s))
        return layout;
    const QFontMetricsF fm(f, p.device());
    layout.height = fm.ascent() + fm.descent();
    // A few scroll steps past the device too (Clusters::kScrollAhead).
    const double ahead =
        reach.local.m11() > 0.0 ? p.device()->width() * Clusters::kScrollAhead / reach.local.m11() : 0.0;
    const double until = std::max(Until(reach, layout.height) + ahead, atLeast);
    // Most names are laid out far sooner from pairs of their clusters.
    if (p.layoutDirection() != Qt::RightToLeft &&
        TextCache::LayOutFromPairs(font, text, systemPixels, until, m_laid)) {
        Layout paired = layout;
        // Left short, the cell reaches past until, which lies past the device.
        paired.advance = m_laid.advance;
        if (!m_laid.complete)
            paired.reach = until;
        paired.drawable = KeepLaidOut(m_laid, fm.ascent(), paired);
        if (paired.drawable)
            return paired;
    }
    QTextLayout lines(s, f, p.device());
    QTextOption option;
    option.setTextDirection(p.layoutDirection());
    option.setWrapMode(QTextOption::NoWrap);
    lines.setTextOption(option);
    // Kept shaping: without it the glyph runs would shape the text again.
    lines.setCacheEnabled(true);
    lines.beginLayout();
    QTextLine line = lines.createLine();
    lines.endLayout();
    // The line's advance is the one the painter fills the cell by (the
    // font metrics' advance of the text, which would shape it again).
    layout.advance = line.horizontalAdvance();
    // The layout's baseline sits at the tallest font's ascent; the painter
    // puts it at this font's.
    const double shift = fm.ascent() - line.ascent();
    const QList<QGlyphRun> runs = lines.glyphRuns();
    for (const QGlyphRun& run : runs)
        if (!Keep(run, shift, layout))
            return Layout();
    layout.drawable = true;
    return layout;
}

const CTextRuns::Layout& CTextRuns::Find(const QPainter& p, const CFont& font, const QFont& f,
                                         std::string_view text, int systemPixels, const Reach& reach)
{
    const std::string& key = KeyOf(p, font, text, systemPixels);
    auto found = m_index.find(key);
    if (found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        Entry& entry = m_entries.front();
        if (entry.layout.reach >= Until(reach, entry.layout.height))
            return entry.layout;
        // Needed further than kept: laid out again, twice as far, so that
        // a scroll to the right does not do it at every step.
        entry.layout = LayOut(p, font, f, text, systemPixels, reach, 2.0 * entry.layout.reach);
        ++m_laidOutFurther;
        m_bytes -= entry.bytes;
        entry.bytes = BytesOf(entry);
        m_bytes += entry.bytes;
        return Trim();
    }
    Entry entry;
    entry.key = key;
    entry.layout = LayOut(p, font, f, text, systemPixels, reach, 0.0);
    entry.bytes = BytesOf(entry);
    m_bytes += entry.bytes;
    m_entries.push_front(std::move(entry));
    m_index.emplace(m_entries.front().key, m_entries.begin());
    return Trim();
}

// Drops the least recently drawn layouts past the bound; the one drawn
// now, first in the list, stays.
const CTextRuns::Layout& CTextRuns::Trim()
{
    while (m_bytes > m_maxBytes && m_entries.size() > 1) {
        m_bytes -= m_entries.back().bytes;
        m_index.erase(m_entries.back().key);
        m_entries.pop_back();
    }
    return m_entries.front().layout;
}

// The entry, its key, its glyphs and the index's node for it.
std::size_t CTextRuns::BytesOf(const Entry& entry)
{
    return sizeof(Entry) + entry.key.size() + entry.layout.runs.size() * sizeof(Run) +
           entry.layout.glyphs.size() * sizeof(Glyph) + 64;
}

// Each run's glyphs that reach a part, at their places: a glyph's pixels
// do not depend on the others'.
void CTextRuns::DrawGlyphs(QPainter& p, std::span<const QRect> parts, const QTransform& local, const Layout& layout)
{
    for (const Run& run : layout.runs) {
        m_runIds.clear();
        m_runAt.clear();
        for (std::uint32_t i = run.first; i < run.first + run.count; ++i) {
            const Glyph& g = layout.glyphs[i];
            if (!Reaches(parts, local, g))
                continue;
            m_runIds.push_back(g.id);
            m_runAt.push_back(QPointF(g.x / 64.0, g.y / 64.0));
        }
        if (m_runIds.empty())
            continue;
        QGlyphRun glyphs;
        glyphs.setRawFont(m_fonts[run.font]);
        glyphs.setGlyphIndexes(QList<quint32>(m_runIds.begin(), m_runIds.end()));
        glyphs.setPositions(QList<QPointF>(m_runAt.begin(), m_runAt.end()));
        p.drawGlyphRun(QPointF(0, 0), glyphs);
    }
}

bool CTextRuns::Reaches(std::span<const QRect> parts, const QTransform& local, const Glyph& g)
{
    const QPointF at(g.x / 64.0, g.y / 64.0);
    const QRectF ink = local.mapRect(QRectF(at + QPointF(g.left, g.top), at + QPointF(g.right, g.bottom)));
    return std::any_of(parts.begin(), parts.end(), [&](const QRect& part) {
        return ink.intersects(QRectF(part).adjusted(-kInkMargin, -kInkMargin, kInkMargin + 1, kInkMargin + 1));
    });
}

const CTextRuns::GlyphOutline& CTextRuns::Outline(std::uint32_t font, quint32 id)
{
    if (m_outlines.size() >= kMaxOutlines)
        m_outlines.clear();
    auto [found, added] = m_outlines.try_emplace((std::uint64_t(font) << 32) | id);
    if (added) {
        GlyphOutline& o = found->second;
        o.path = m_fonts[font].pathForGlyph(id);
        o.picture = o.path.isEmpty() && !BoxOf(font, id).isEmpty();
    }
    return found->second;
}

bool CTextRuns::Fillable(std::span<const QRect> parts, const QTransform& local, const Layout& layout)
{
    for (const Run& run : layout.runs)
        for (std::uint32_t i = run.first; i < run.first + run.count; ++i) {
            const Glyph& g = layout.glyphs[i];
            if (Reaches(parts, local, g) && Outline(run.font, g.id).picture)
                return false;
        }
    return true;
}

// Fills on image, as the painter fills a text's outlines (a script run's
// as one path, winding), the glyphs that reach part: a pixel's value
// depends only on the outlines that pass through it, so within part it is
// the one the whole text gives. The painter's rasteriser sweeps every row
// and column of a path on its device, and most of a large glyph lies
// outside what shows; so the fill is done on the same pixels seen as a
// picture that ends at part's right and bottom edges. Its origin stays the
// device's: moved by whole pixels, a fill may round a smoothed edge
// another way.
void CTextRuns::FillOutlines(const QImage& image, bool smooth, const QRect& part, const QTransform& local,
                             const Layout& layout, const QBrush& ink)
{
    const QRect area = part & image.rect();
    if (area.isEmpty())
        return;
    QImage pixels(const_cast<uchar*>(image.constBits()), area.right() + 1, area.bottom() + 1, image.bytesPerLine(),
                  image.format());
    QPainter fill(&pixels);
    fill.setRenderHint(QPainter::Antialiasing, smooth);
    fill.setClipRect(area);
    fill.setTransform(local);
    for (const Run& run : layout.runs) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (std::uint32_t i = run.first; i < run.first + run.count; ++i) {
            const Glyph& g = layout.glyphs[i];
            if (Reaches({&area, 1}, local, g))
                path.addPath(Outline(run.font, g.id).path.translated(g.x / 64.0, g.y / 64.0));
        }
        if (!path.isEmpty())
            fill.fillPath(path, ink);
    }
}

// How far from a text's origin, in the font's pixels, the pen of a
// cluster may stand whose glyphs reach reach's clip under its transform: a
// mark may hang back over the letters before it by up to kClusterInkLeft
// heights of the font.
double CTextRuns::Until(const Reach& reach, double height)
{
    const QTransform& local = reach.local;
    if (local.type() > QTransform::TxScale || local.m11() <= 0.0)
        return std::numeric_limits<double>::infinity();
    const double right = (reach.clip.right() + 1 + kInkMargin - local.dx()) / local.m11();
    return std::max(right, 0.0) + Clusters::kClusterInkLeft * height;
}

bool CTextRuns::Draw(QPainter& p, const QRect& clip, std::span<const QRect> parts, const QTransform& t,
                     const CFont& font, std::string_view text, int systemPixels, COLORREF textColor,
                     COLORREF bkColor)
{
    const QFont f = RealiseFont(font, systemPixels);
    // A device font: its size does not follow the mapping.
    const QTransform local = font.IsSystemFont() ? QTransform::fromTranslate(t.dx(), t.dy()) : t;
    // Glyphs the painter copies are placed by a glyph run as by its own
    // drawing of a text; a text at the size where it turns to filling them
    // is drawn the plain way.
    const bool filled = FillsGlyphs(f.pixelSize(), local);
    if (!filled && !CopiesGlyphs(f.pixelSize(), local))
        return false;
    // Outlines are filled on an image's own pixels, one per device pixel.
    const QPaintDevice* device = p.device();
    const QImage* image = device != nullptr && device->devType() == QInternal::Image
                              ? static_cast<const QImage*>(device)
                              : nullptr;
    if (filled && (image == nullptr || image->devicePixelRatio() != 1.0))
        return false;
    const Layout& layout = Find(p, font, f, text, systemPixels, Reach{clip, local});
    if (!layout.drawable || (filled && !Fillable(parts, local, layout)))
        return false;
    SetRasterOp(p, false);
    const QRect whole[] = {clip};
    if (parts.empty())
        parts = whole;
    // Of the cell only what shows: a large one may be most of the device.
    for (const QRect& part : parts) {
        p.save();
        p.setClipRect(part, Qt::IntersectClip);
        p.setTransform(local);
        p.fillRect(QRectF(0, 0, layout.advance, layout.height), ToQColor(bkColor));
        p.restore();
    }
    if (filled) {
        // Smoothed as the painter smooths a text's outlines.
        const bool smooth = p.testRenderHint(QPainter::TextAntialiasing) || p.testRenderHint(QPainter::Antialiasing);
        const QBrush ink(ToQColor(textColor));
        for (const QRect& part : parts)
            FillOutlines(*image, smooth, part, local, layout, ink);
        return true;
    }
    p.setTransform(local);
    p.setFont(f);
    p.setPen(ToQColor(textColor));
    DrawGlyphs(p, parts, local, layout);
    p.resetTransform();
    return true;
}
