// SPDX-License-Identifier: MIT
#include "platform/surface/qt/GlyphPixels.h"
#include "platform/surface/qt/TextRuns.h"

#include "platform/surface/qt/DrawingRules.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace GlyphPixels {

// Glyph pixels kept at most; past this they are rendered again as needed.
constexpr std::size_t kMaxMaskBytes = std::size_t(16) << 20;


// Boxes of glyphs kept at most; past this they are found again as needed.
constexpr std::size_t kMaxInkBoxes = 65536;

constexpr std::size_t kMaxFonts = 4;

static std::vector<std::unique_ptr<Cache>>& TheCaches()
{
    static std::vector<std::unique_ptr<Cache>> caches;
    return caches;
}

Cache& CacheFor(const CFont& font, int systemPixels)
{
    auto& caches = TheCaches();
    if (!font.IsSystemFont())
        systemPixels = 0;
    for (auto& c : caches)
        if (c->systemPixels == systemPixels && c->encoding == font.GetTextEncoding() &&
            std::memcmp(&c->desc, &font.GetLogFont(), sizeof(LOGFONT)) == 0)
            return *c;
    if (caches.size() >= kMaxFonts)
        caches.clear();
    auto c = std::make_unique<Cache>();
    c->desc = font.GetLogFont();
    c->encoding = font.GetTextEncoding();
    c->systemPixels = systemPixels;
    c->font = RealiseFont(font, systemPixels);
    c->shaper = std::make_unique<CGlyphShaper>(c->font);
    caches.push_back(std::move(c));
    return *caches.back();
}

// The glyphs of the text being written: reused from text to text.
std::vector<PlacedGlyph>& Scratch()
{
    static std::vector<PlacedGlyph> glyphs;
    return glyphs;
}

// A glyph's pixels lie less than twice this far from its origin's pixel
// (its mask is rendered with this much room before the origin, twice as
// much after).
static int MaskMargin(const Cache& c)
{
    return int(std::ceil(c.shaper->Height() * std::max(c.sx, c.sy))) + 8;
}

// The pixels Qt draws for one glyph at this scale, relative to the pixel
// its rounding places the glyph's origin on.
Mask RenderMask(const Cache& c, const QRawFont& raw, quint32 id)
{
    const int margin = MaskMargin(c);
    const int size = 3 * margin;
    QImage scratch(size, size, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter p(&scratch);
        // A quarter pixel in, well away from both roundings' edges.
        p.setTransform(QTransform(c.sx, 0, 0, c.sy, margin + 0.25, margin + 0.25));
        p.setPen(Qt::white);
        QGlyphRun one;
        one.setRawFont(raw);
        one.setGlyphIndexes({id});
        one.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(0, 0), one);
    }
    int x0 = size, y0 = size, x1 = -1, y1 = -1;
    for (int y = 0; y < size; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            if ((line[x] & 0xFFFFFF) == 0)
                continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    }
    Mask m;
    if (x1 < 0)
        return m;
    m.dx = x0 - margin, m.dy = y0 - margin, m.width = x1 - x0 + 1, m.height = y1 - y0 + 1;
    m.bits.reserve(std::size_t(m.width) * m.height);
    for (int y = y0; y <= y1; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = x0; x <= x1; ++x)
            m.bits.push_back((line[x] & 0xFFFFFF) != 0);
    }
    return m;
}

static const Mask& MaskOf(Cache& c, quint32 id)
{
    auto found = c.masks.find(id);
    if (found != c.masks.end())
        return found->second;
    if (c.maskBytes > kMaxMaskBytes) {
        c.masks.clear();
        c.maskBytes = 0;
    }
    Mask m = RenderMask(c, c.shaper->RawFont(), id);
    c.maskBytes += m.bits.size() + sizeof(Mask) + 32;
    return c.masks.emplace(id, std::move(m)).first->second;
}

// The image's pixels, fetched once per text, and the part of them a text
// may write: [left, right) x [top, bottom).
namespace {

struct Pixels {
    uchar* bits;
    qsizetype stride;
    int left, top, right, bottom;
    QRgb* Line(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
};

} // namespace

static void FillBox(const Pixels& image, int x1, int y1, int x2, int y2, QRgb color)
{
    x1 = std::max(x1, image.left), y1 = std::max(y1, image.top);
    x2 = std::min(x2, image.right), y2 = std::min(y2, image.bottom);
    if (x1 >= x2)
        return;
    for (int y = y1; y < y2; ++y) {
        QRgb* line = image.Line(y);
        std::fill(line + x1, line + x2, color);
    }
}

static void Blit(const Pixels& image, const Mask& m, int x, int y, QRgb color)
{
    const int row1 = std::max(image.top - y, 0), row2 = std::min(image.bottom - y, m.height);
    const int col1 = std::max(image.left - x, 0), col2 = std::min(image.right - x, m.width);
    for (int row = row1; row < row2; ++row) {
        QRgb* line = image.Line(y + row);
        const std::uint8_t* bits = &m.bits[std::size_t(row) * m.width];
        for (int col = col1; col < col2; ++col)
            if (bits[col])
                line[x + col] = color;
    }
}

// Qt keeps glyph positions in 1/64 pixel, truncated toward zero.
double ToFixed(double v)
{
    return std::trunc(v * 64.0) / 64.0;
}

// Whether a text can be written under t at all: a plain scale, the system
// font only where the mapping leaves its size alone (it is a device font).
bool Applies(const QTransform& t, const CFont& font)
{
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0)
        return false;
    return !font.IsSystemFont() || (t.m11() == 1.0 && t.m22() == 1.0);
}

// Rounded as Qt rounds a filled rectangle's edges; clamped first, since a
// long name may reach far beyond the image.
int Edge(double v)
{
    return qRound(std::clamp(v, -1e6, 1e6));
}

// The cell of a text of this advance under t, as Qt fills it.
QRect CellOf(const QTransform& t, const Cache& c, double advance)
{
    const double sx = t.m11(), sy = t.m22(), dx = t.dx(), dy = t.dy();
    return QRect(QPoint(Edge(dx), Edge(dy)), QPoint(Edge(dx + sx * advance) - 1, Edge(dy + sy * c.shaper->Height()) - 1));
}

bool Small(const QTransform& t, const Cache& c)
{
    return c.shaper->Height() * std::max(t.m11(), t.m22()) <= kLargestCachedPixels;
}

// Keeps the glyph pixels of t's scale.
void UseScale(Cache& c, const QTransform& t)
{
    if (t.m11() != c.sx || t.m22() != c.sy) {
        c.masks.clear();
        ++c.scaleGeneration;
        c.clusterGlyphPixels.clear();
        c.maskBytes = 0;
        c.sx = t.m11(), c.sy = t.m22();
    }
}

// Where a glyph's pixels go under t: the pixel its rounding places the
// glyph's origin on. Device coordinates are worked out as Qt's own mapping
// of a point computes them for a scaling transform (scale times value plus
// offset), so every rounding sees the same numbers.
static QPoint GlyphPixel(const QTransform& t, const PlacedGlyph& g)
{
    const double gx = t.m11() * g.x + t.dx(), gy = t.m22() * g.y + t.dy();
    return QPoint(int(std::floor(ToFixed(gx))), int(std::floor(ToFixed(gy) + 0.5)));
}

// The pixels the glyphs of a small text write.
QRect InkOf(Cache& c, const QTransform& t, const std::vector<PlacedGlyph>& glyphs)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const PlacedGlyph& g : glyphs) {
        const Mask& m = MaskOf(c, g.id);
        if (m.width == 0)
            continue;
        const QPoint at = GlyphPixel(t, g);
        left = std::min(left, at.x() + m.dx), right = std::max(right, at.x() + m.dx + m.width - 1);
        top = std::min(top, at.y() + m.dy), bottom = std::max(bottom, at.y() + m.dy + m.height - 1);
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The glyphs into the image under t: the cell filled first, then each
// glyph's pixels.
static void DrawGlyphs(QImage& image, const QRect& clip, const QTransform& t, Cache& c,
                const std::vector<PlacedGlyph>& glyphs, double advance, COLORREF textColor, COLORREF bkColor)
{
    const QRect to = clip & image.rect();
    if (to.isEmpty())
        return;
    const Pixels pixels{image.bits(), image.bytesPerLine(), to.left(), to.top(), to.right() + 1, to.bottom() + 1};
    const QRect cell = CellOf(t, c, advance);
    FillBox(pixels, cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1, ToQColor(bkColor).rgb());
    const QRgb color = ToQColor(textColor).rgb();
    // Glyphs whose origin lies farther from the clip than their pixels
    // may reach are passed by.
    const double reach = 2.0 * MaskMargin(c) + 1;
    for (const PlacedGlyph& g : glyphs) {
        const double x = t.m11() * g.x + t.dx();
        if (x + reach < to.left() || x - reach > to.right() + 1)
            continue;
        const Mask& m = MaskOf(c, g.id);
        if (m.width == 0)
            continue;
        const QPoint at = GlyphPixel(t, g);
        Blit(pixels, m, at.x() + m.dx, at.y() + m.dy, color);
    }
}

// The outline box of a glyph of raw, from its origin, or its metrics box
// for a glyph drawn from a picture (which has no outline).
QRectF InkBox(Cache& c, const QRawFont& raw, quint32 id)
{
    auto font = std::find_if(c.inkBoxes.begin(), c.inkBoxes.end(), [&](const auto& f) { return f.first == raw; });
    if (font == c.inkBoxes.end() || c.inkBoxCount >= kMaxInkBoxes) {
        if (c.inkBoxCount >= kMaxInkBoxes)
            c.inkBoxes.clear(), c.inkBoxCount = 0;
        c.inkBoxes.emplace_back(raw, CFlatKeyMap<QRectF>());
        font = c.inkBoxes.end() - 1;
    }
    auto [box, added] = font->second.TryEmplace(id);
    if (added) {
        const QRectF outline = raw.pathForGlyph(id).boundingRect();
        *box = outline.isNull() ? raw.boundingRect(id) : outline;
        ++c.inkBoxCount;
    }
    return *box;
}

void ClearAll()
{
    TheCaches().clear();
}

} // namespace GlyphPixels

namespace TextCache {

using namespace GlyphPixels;

bool Draw(QImage& image, const QRect& clip, const QTransform& t, const CFont& font, std::string_view text,
          COLORREF textColor, COLORREF bkColor, int systemPixels)
{
    if (!Applies(t, font) || image.format() != QImage::Format_RGB32)
        return false;
    Cache& c = CacheFor(font, systemPixels);
    if (!Small(t, c))
        return false;
    UseScale(c, t);
    // Nothing of a text whose cell lies a full line away from the image
    // can show; glyphs overhang their cell by less than that.
    const double left = t.dx(), top = t.dy(), bottom = top + t.m22() * c.shaper->Height();
    const double line = c.shaper->Height() * c.sy + 2;
    if (left > image.width() + line || top > image.height() + line || bottom < -line)
        return true;
    double advance = 0.0;
    std::vector<PlacedGlyph>& glyphs = Scratch();
    if (!c.shaper->Shape(text, font.GetTextEncoding(), glyphs, advance))
        return false;
    if (left + t.m11() * advance < -line)
        return true;
    DrawGlyphs(image, clip, t, c, glyphs, advance, textColor, bkColor);
    return true;
}

void Clear()
{
    GlyphPixels::ClearAll();
    CTextRuns::Shared().Clear();
}

} // namespace TextCache
