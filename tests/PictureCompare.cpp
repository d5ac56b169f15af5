// SPDX-License-Identifier: MIT
#include "PictureCompare.h"

#include "platform/surface/qt/DrawingRules.h"

#include <QFontMetricsF>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>

namespace {

int Clamped(double v)
{
    return int(std::clamp(v, -1e8, 1e8));
}

DrawnItem Around(const CPoint& a, const CPoint& b, const char* what)
{
    constexpr int kMargin = 2;
    return {{0, 0, -1, -1},
            {std::min(a.x, b.x) - kMargin, std::min(a.y, b.y) - kMargin, std::max(a.x, b.x) + kMargin,
             std::max(a.y, b.y) + kMargin},
            what};
}

struct Pixel {
    int x, y;
};

// Differing pixels by tiles of the image, so that an item's box finds
// those within it without looking at every one.
class CTiles {
public:
    static constexpr int kSize = 16;
    CTiles(int width, int height)
        : m_across((width + kSize - 1) / kSize), m_tiles(std::size_t(m_across) * ((height + kSize - 1) / kSize))
    {
    }
    void Add(int index, Pixel p) { m_tiles[(p.y / kSize) * m_across + p.x / kSize].push_back(index); }
    std::vector<int>& At(int tx, int ty) { return m_tiles[ty * m_across + tx]; }
    int Across() const { return m_across; }
    int Down() const { return m_across == 0 ? 0 : int(m_tiles.size()) / m_across; }

private:
    int m_across;
    std::vector<std::vector<int>> m_tiles;
};

// The differing pixels charged to one item.
struct Charged {
    long count = 0;
    int left = INT_MAX, right = INT_MIN;
};

// Charges each differing pixel left in tiles to the last item whose box
// (its cell, or its reach) holds it, adding to charged; returns the
// pixels left to none.
long Charge(const std::vector<Pixel>& pixels, const std::vector<DrawnItem>& items, PixelBox DrawnItem::*box,
            CTiles& tiles, long left, std::vector<Charged>& charged)
{
    const int width = tiles.Across() * CTiles::kSize, height = tiles.Down() * CTiles::kSize;
    for (std::size_t i = items.size(); i-- > 0 && left > 0;) {
        const PixelBox& b = items[i].*box;
        const int x1 = std::max(b.left, 0), y1 = std::max(b.top, 0);
        const int x2 = std::min(b.right, width - 1), y2 = std::min(b.bottom, height - 1);
        if (x1 > x2 || y1 > y2)
            continue;
        for (int ty = y1 / CTiles::kSize; ty <= y2 / CTiles::kSize; ++ty)
            for (int tx = x1 / CTiles::kSize; tx <= x2 / CTiles::kSize; ++tx) {
                std::vector<int>& tile = tiles.At(tx, ty);
                auto inside = [&](int k) {
                    const Pixel& p = pixels[k];
                    return p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2;
                };
                const auto kept = std::stable_partition(tile.begin(), tile.end(), [&](int k) { return !inside(k); });
                for (auto k = kept; k != tile.end(); ++k) {
                    Charged& item = charged[i];
                    ++item.count;
                    item.left = std::min(item.left, pixels[*k].x), item.right = std::max(item.right, pixels[*k].x);
                }
                left -= long(tile.end() - kept);
                tile.erase(kept, tile.end());
            }
    }
    return left;
}

} // namespace

BOOL CBoxedReferenceDC::TextOut(int x, int y, const char* text, int length)
{
    if (text != nullptr && length > 0 && m_font != nullptr) {
        const QTransform t = TextTransform(m_mapping, x, y);
        const int systemPixels = SystemFontPixels(GetDeviceCaps(LOGPIXELSY));
        const QFontMetricsF fm(RealiseFont(*m_font, systemPixels));
        const double sx = m_font->IsSystemFont() ? 1.0 : t.m11(), sy = m_font->IsSystemFont() ? 1.0 : t.m22();
        const double width = sx * fm.horizontalAdvance(TextOf(*m_font, text, length));
        const double height = sy * (fm.ascent() + fm.descent());
        // Ink may reach past the cell: a hook left of it, marks above it.
        const double grow = height / 2 + 2;
        const PixelBox cell{Clamped(std::round(t.dx())), Clamped(std::round(t.dy())),
                             Clamped(std::round(t.dx() + width)) - 1, Clamped(std::round(t.dy() + height)) - 1};
        const PixelBox reach{Clamped(std::floor(t.dx() - grow)), Clamped(std::floor(t.dy() - grow)),
                              Clamped(std::ceil(t.dx() + width + grow)), Clamped(std::ceil(t.dy() + height + grow))};
        m_items.push_back({cell, reach, std::string(text, std::size_t(length))});
    }
    return CReferenceDC::TextOut(x, y, text, length);
}

BOOL CBoxedReferenceDC::Ellipse(int left, int top, int right, int bottom)
{
    CPoint corners[2] = {{left, top}, {right, bottom}};
    LPtoDP(corners, 2);
    m_items.push_back(Around(corners[0], corners[1], "ellipse"));
    return CReferenceDC::Ellipse(left, top, right, bottom);
}

BOOL CBoxedReferenceDC::LineTo(int x, int y)
{
    CPoint ends[2] = {GetCurrentPosition(), {x, y}};
    LPtoDP(ends, 2);
    m_items.push_back(Around(ends[0], ends[1], "line"));
    return CReferenceDC::LineTo(x, y);
}

PictureComparison ComparePictures(const CImage& fast, const CImage& reference, COLORREF background,
                                  const std::vector<DrawnItem>& items)
{
    PictureComparison c;
    const int width = reference.Width(), height = reference.Height();
    if (fast.Width() != width || fast.Height() != height) {
        c.differing = c.stray = long(width) * height;
        return c;
    }
    auto drawnInBoth = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return false;  // beyond the picture lies its background
        return fast.GetPixel(x, y) != background && reference.GetPixel(x, y) != background;
    };
    std::vector<Pixel> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            c.lit += reference.GetPixel(x, y) != background;
            if (fast.GetPixel(x, y) == reference.GetPixel(x, y))
                continue;
            ++c.differing;
            pixels.push_back({x, y});
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = (dx || dy) && drawnInBoth(x + dx, y + dy);
            c.stray += !near;
        }
    // A pixel within a later opaque cell is that text's (or of ink drawn
    // after it); any other, the last item's that may reach it.
    std::vector<Charged> charged(items.size());
    CTiles tiles(width, height);
    for (int i = 0; i < int(pixels.size()); ++i)
        tiles.Add(i, pixels[i]);
    const long outsideCells = Charge(pixels, items, &DrawnItem::cell, tiles, long(pixels.size()), charged);
    c.unowned = Charge(pixels, items, &DrawnItem::reach, tiles, outsideCells, charged);
    for (std::size_t i = 0; i < charged.size(); ++i) {
        const Charged& item = charged[i];
        if (item.count == 0)
            continue;
        const PixelBox& cell = items[i].cell;
        // One glyph is at most as wide as its cell is high.
        const bool oneGlyph = cell.right >= cell.left &&
                              std::int64_t(item.right) - item.left <= std::int64_t(cell.bottom) - cell.top + 3;
        const bool fails = item.count > kItemTolerance && !oneGlyph;
        if (fails && c.failing++ == 0)
            c.worst = 0;
        if ((fails || c.failing == 0) && item.count > c.worst)
            c.worst = item.count, c.worstItem = items[i].what;
    }
    return c;
}

namespace {

// A name's bytes for a terminal: controls and bytes above 0x7E escaped.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char byte : text) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += char(byte);
            continue;
        }
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02X", byte);
        out += code;
    }
    return out;
}

} // namespace

std::string Describe(const PictureComparison& c)
{
    std::ostringstream out;
    out << c.differing << " of " << c.lit << " differ, " << c.stray << " stray, " << c.unowned
        << " outside every item, " << c.failing << " items past one glyph, at most " << c.worst << " in one";
    if (c.worst > 0)
        out << " (\"" << Escaped(c.worstItem) << "\")";
    return out.str();
}

LOGFONT NameFontDescription()
{
    LOGFONT desc{};
    desc.lfHeight = -11;
    desc.lfWeight = FW_NORMAL;
    std::snprintf(desc.lfFaceName, sizeof desc.lfFaceName, "Arial");
    return desc;
}
