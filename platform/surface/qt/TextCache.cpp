#include "platform/surface/qt/TextCache.h"

#include "platform/surface/qt/DrawingRules.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Qt draws glyphs of 64 device pixels and more as outlines, whose pixels
// then depend on the sub-pixel position; this path stays well below that.
constexpr double kLargestCachedPixels = 48.0;
// Names kept at most; past this the cache starts again.
constexpr std::size_t kMaxNames = 200000;

struct Glyph {
    quint32 id;
    double x;  // logical offset of the glyph's origin from the text's top-left
    double y;
};

struct Run {
    bool plain = false;  // drawn the plain way (several fonts in the layout)
    double advance = 0.0;
    std::vector<Glyph> glyphs;
};

struct Mask {
    int dx = 0, dy = 0, width = 0, height = 0;
    std::vector<std::uint8_t> bits;
};

// Names are looked up by the caller's bytes without copying them.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

struct Cache {
    LOGFONT desc{};
    CTextEncoding encoding = CTextEncoding::Windows1252;
    int systemPixels = 0;  // the system font's height; 0 for any other font
    QFont font;
    QRawFont raw;
    double ascent = 0.0, height = 0.0;
    double sx = 0.0, sy = 0.0;
    std::unordered_map<std::string, Run, NameHash, std::equal_to<>> runs;
    std::unordered_map<quint32, Mask> masks;
};

constexpr std::size_t kMaxFonts = 4;

std::vector<std::unique_ptr<Cache>>& TheCaches()
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
    QFontMetricsF fm(c->font);
    c->ascent = fm.ascent();
    c->height = fm.ascent() + fm.descent();
    caches.push_back(std::move(c));
    return *caches.back();
}

const Run& RunOf(Cache& c, const CFont& font, std::string_view text)
{
    auto found = c.runs.find(text);
    if (found != c.runs.end())
        return found->second;
    if (c.runs.size() >= kMaxNames)
        c.runs.clear();
    QString s = TextOf(font, text.data(), int(text.size()));
    Run run;
    // One shaping gives both the glyphs and the advance of the cell.
    QTextLayout layout(s, c.font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    run.advance = line.horizontalAdvance();
    const QList<QGlyphRun> glyphRuns = layout.glyphRuns();
    if (glyphRuns.size() > 1) {
        run.plain = true;
    } else if (glyphRuns.size() == 1) {
        const QGlyphRun& g = glyphRuns.front();
        if (!c.raw.isValid())
            c.raw = g.rawFont();
        else if (!(c.raw == g.rawFont()))
            run.plain = true;
        const QList<quint32> ids = g.glyphIndexes();
        const QList<QPointF> positions = g.positions();
        for (qsizetype i = 0; i < ids.size() && !run.plain; ++i)
            run.glyphs.push_back({ids[i], positions[i].x(), positions[i].y()});
    }
    return c.runs.emplace(std::string(text), std::move(run)).first->second;
}

// The pixels Qt draws for one glyph at this scale, relative to the pixel
// its rounding places the glyph's origin on.
Mask RenderMask(const Cache& c, quint32 id)
{
    const int margin = int(std::ceil(c.height * std::max(c.sx, c.sy))) + 8;
    const int size = 3 * margin;
    QImage scratch(size, size, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter p(&scratch);
        // A quarter pixel in, well away from both roundings' edges.
        p.setTransform(QTransform(c.sx, 0, 0, c.sy, margin + 0.25, margin + 0.25));
        p.setPen(Qt::white);
        QGlyphRun one;
        one.setRawFont(c.raw);
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

const Mask& MaskOf(Cache& c, quint32 id)
{
    auto found = c.masks.find(id);
    if (found != c.masks.end())
        return found->second;
    return c.masks.emplace(id, RenderMask(c, id)).first->second;
}

// The image's pixels, fetched once per text.
struct Pixels {
    uchar* bits;
    qsizetype stride;
    int width, height;
    QRgb* Line(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
};

void FillBox(const Pixels& image, int x1, int y1, int x2, int y2, QRgb color)
{
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, image.width), y2 = std::min(y2, image.height);
    if (x1 >= x2)
        return;
    for (int y = y1; y < y2; ++y) {
        QRgb* line = image.Line(y);
        std::fill(line + x1, line + x2, color);
    }
}

void Blit(const Pixels& image, const Mask& m, int x, int y, QRgb color)
{
    const int w = image.width, h = image.height;
    for (int row = 0; row < m.height; ++row) {
        int py = y + row;
        if (py < 0 || py >= h)
            continue;
        QRgb* line = image.Line(py);
        const std::uint8_t* bits = &m.bits[std::size_t(row) * m.width];
        for (int col = 0; col < m.width; ++col) {
            int px = x + col;
            if (bits[col] && px >= 0 && px < w)
                line[px] = color;
        }
    }
}

// Qt keeps glyph positions in 1/64 pixel, truncated toward zero.
double ToFixed(double v)
{
    return std::trunc(v * 64.0) / 64.0;
}

// Whether a text can be drawn this way under t at all: a plain scale on
// an RGB32 image, the system font only where the mapping leaves its size
// alone (it is a device font).
bool Applies(const QImage& image, const QTransform& t, const CFont& font)
{
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0 || image.format() != QImage::Format_RGB32)
        return false;
    return !font.IsSystemFont() || (t.m11() == 1.0 && t.m22() == 1.0);
}

// The glyphs of run into the image under t: the cell filled first, then
// each glyph's pixels. Device coordinates are worked out as Qt's own
// mapping of a point and of a rectangle computes them for a scaling
// transform (scale times value plus offset, a width scaled alone), so every
// rounding sees the same numbers.
void DrawRun(QImage& image, const QTransform& t, Cache& c, const Run& run, COLORREF textColor, COLORREF bkColor)
{
    const double sx = t.m11(), sy = t.m22(), dx = t.dx(), dy = t.dy();
    // Rounded as Qt rounds a filled rectangle's edges; clamped first, since
    // a long name may reach far beyond the image.
    auto edge = [](double v) { return qRound(std::clamp(v, -1e6, 1e6)); };
    const Pixels pixels{image.bits(), image.bytesPerLine(), image.width(), image.height()};
    FillBox(pixels, edge(dx), edge(dy), edge(dx + sx * run.advance), edge(dy + sy * c.height),
            ToQColor(bkColor).rgb());
    const QRgb color = ToQColor(textColor).rgb();
    for (const Glyph& g : run.glyphs) {
        const Mask& m = MaskOf(c, g.id);
        if (m.width == 0)
            continue;
        const double gx = sx * g.x + dx, gy = sy * g.y + dy;
        int px = int(std::floor(ToFixed(gx))), py = int(std::floor(ToFixed(gy) + 0.5));
        Blit(pixels, m, px + m.dx, py + m.dy, color);
    }
}

} // namespace

namespace TextCache {

bool Draw(QImage& image, const QTransform& t, const CFont& font, std::string_view text, COLORREF textColor,
          COLORREF bkColor, int systemPixels)
{
    if (!Applies(image, t, font))
        return false;
    Cache& c = CacheFor(font, systemPixels);
    if (c.font.pixelSize() * std::max(t.m11(), t.m22()) > kLargestCachedPixels)
        return false;
    if (t.m11() != c.sx || t.m22() != c.sy) {
        c.masks.clear();
        c.sx = t.m11(), c.sy = t.m22();
    }
    // Nothing of a text whose cell lies a full line away from the image
    // can show; glyphs overhang their cell by less than that.
    const double left = t.dx(), top = t.dy(), bottom = top + t.m22() * c.height;
    const double line = c.height * c.sy + 2;
    if (left > image.width() + line || top > image.height() + line || bottom < -line)
        return true;
    const Run& run = RunOf(c, font, text);
    if (run.plain)
        return false;
    if (left + t.m11() * run.advance < -line)
        return true;
    DrawRun(image, t, c, run, textColor, bkColor);
    return true;
}

void Clear()
{
    TheCaches().clear();
}

} // namespace TextCache
