// SPDX-License-Identifier: MIT
#include "platform/surface/qt/DrawList.h"

#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/DCDevice.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/EllipseRoutes.h"
#include "platform/surface/qt/PlainDraw.h"
#include "platform/surface/qt/TextCache.h"
#include "platform/surface/qt/TextRuns.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace {

// The pixels from (x1, y1) to (x2, y2), corners included, and one more all
// round: what a shape within those corners may touch.
QRect Around(double x1, double y1, double x2, double y2)
{
    auto at = [](double v) { return int(std::clamp(v, -1e6, 1e6)); };
    return QRect(QPoint(at(std::floor(std::min(x1, x2))) - 1, at(std::floor(std::min(y1, y2))) - 1),
                 QPoint(at(std::ceil(std::max(x1, x2))) + 1, at(std::ceil(std::max(y1, y2))) + 1));
}

// A shape's geometry: a later shape of the same kind and geometry writes
// every pixel an earlier one wrote (a filled ellipse even more of them).
struct ShapeKey {
    double a, b, c, d;
    bool line;
    bool operator==(const ShapeKey& o) const
    {
        return a == o.a && b == o.b && c == o.c && d == o.d && line == o.line;
    }
};

struct ShapeKeyHash {
    std::size_t operator()(const ShapeKey& k) const
    {
        std::size_t h = std::hash<double>()(k.a);
        for (double v : {k.b, k.c, k.d})
            h = h * 1000003u ^ std::hash<double>()(v);
        return h ^ std::size_t(k.line);
    }
};

} // namespace

std::uint16_t CDrawList::FontIndex(const CFont& font)
{
    if (!m_fonts.empty()) {
        const CFont& last = m_fonts.back().Get();
        if (last.IsSystemFont() == font.IsSystemFont() && last.GetTextEncoding() == font.GetTextEncoding() &&
            std::memcmp(&last.GetLogFont(), &font.GetLogFont(), sizeof(LOGFONT)) == 0)
            return std::uint16_t(m_fonts.size() - 1);
    }
    Font f;
    if (&font == CGdiObject::GetStockObject(SYSTEM_FONT)) {
        f.stock = &font;  // a stock object: it lives as long as the program
    } else if (font.IsSystemFont()) {
        // A caller's own system font, which may be gone before the list is drawn.
        f.own = std::make_unique<CFont>();
        f.own->CreateSystemFont(font.GetTextEncoding());
    } else {
        f.own = std::make_unique<CFont>();
        f.own->CreateFontIndirect(&font.GetLogFont());
        f.own->SetTextEncoding(font.GetTextEncoding());
    }
    m_fonts.push_back(std::move(f));
    return std::uint16_t(m_fonts.size() - 1);
}

void CDrawList::AddText(const QTransform& t, const CFont& font, int systemPixels, std::string_view text,
                        COLORREF textColor, COLORREF bkColor)
{
    Text item;
    item.sx = t.m11(), item.sy = t.m22(), item.dx = t.dx(), item.dy = t.dy();
    item.font = FontIndex(font);
    item.systemPixels = systemPixels;
    item.color = textColor;
    item.fill = bkColor;
    item.textAt = std::uint32_t(m_text.size());
    item.textLength = std::uint32_t(text.size());
    m_text.append(text);
    m_items.push_back(item);
}

void CDrawList::AddEllipse(const DeviceBox& box, COLORREF pen, const CBrush& brush)
{
    m_items.push_back(Ellipse{box, pen, brush.GetColor(), brush.IsHollow()});
}

void CDrawList::AddLine(QPointF from, QPointF to, COLORREF pen)
{
    m_items.push_back(Line{from, to, pen});
}

bool CDrawList::PickGlyphs(Text& item, const CCoverage& cover)
{
    const std::size_t at = m_picks.size();
    if (!TextCache::PickGlyphs(item.Transform(), m_fonts[item.font].Get(),
                               {m_text.data() + item.textAt, item.textLength}, item.systemPixels, cover, m_picks)) {
        m_picks.resize(at);
        return true;
    }
    item.picked = true;
    item.pickAt = std::uint32_t(at);
    item.pickCount = std::uint32_t(m_picks.size() - at);
    return item.pickCount > 0;
}

bool CDrawList::MeasureText(const CDCDevice& dev, const Text& item, const CCoverage& cover,
                            TextCache::GlyphPlaces& later, QRect& reach, QRect& cell, QRect& fill, bool& large)
{
    TextCache::TextBounds bounds;
    if (!TextCache::Measure(item.Transform(), m_fonts[item.font].Get(), {m_text.data() + item.textAt, item.textLength},
                            item.systemPixels, dev.width, dev.height, bounds, &cover, &later))
        return false;
    reach = bounds.reach, cell = bounds.cell, fill = bounds.fill, large = !bounds.fast;
    return true;
}

// Of a text, only the part outside later cells is written. Found apart in
// the rows above, beside and below its own cell, so that a glyph reaching
// past the cell in one place is not filled for a piece that shows in
// another (a mark above the cell, a first stroke left of it).
void CDrawList::ClipText(Text& text, const CCoverage& cover, const QRect& reach, const QRect& cell)
{
    text.partsAt = std::uint32_t(m_parts.size());
    text.clip = QRect();
    const int top = reach.top(), past = reach.bottom() + 1;
    const int cellTop = cell.isEmpty() ? top : std::clamp(cell.top(), top, past);
    const int cellPast = cell.isEmpty() ? past : std::clamp(cell.bottom() + 1, cellTop, past);
    for (auto [from, to] : {std::pair(top, cellTop), std::pair(cellTop, cellPast), std::pair(cellPast, past)}) {
        if (from >= to)
            continue;
        const QRect part = cover.Uncovered(QRect(reach.left(), from, reach.width(), to - from));
        if (part.isEmpty())
            continue;
        m_parts.push_back(part);
        text.clip |= part;
    }
    text.partCount = std::uint32_t(m_parts.size() - text.partsAt);
}

std::vector<bool> CDrawList::Visible(const CDCDevice& dev)
{
    std::vector<bool> visible(m_items.size(), false);
    CCoverage cover(dev.width, dev.height);
    // Shapes drawn later, and whether a hollow ellipse of that box is
    // hidden by them (a filled one only by a filled one).
    std::unordered_map<ShapeKey, bool, ShapeKeyHash> later;
    TextCache::GlyphPlaces laterGlyphs;
    for (std::size_t i = m_items.size(); i-- > 0 && !cover.Full();) {
        Text* text = std::get_if<Text>(&m_items[i]);
        QRect reach, cell, fill;
        bool large = false;
        if (text != nullptr) {
            if (!MeasureText(dev, *text, cover, laterGlyphs, reach, cell, fill, large))
                continue;
        } else {
            const Ellipse* ellipse = std::get_if<Ellipse>(&m_items[i]);
            const Line* line = std::get_if<Line>(&m_items[i]);
            const bool hollow = ellipse != nullptr && ellipse->hollow;
            const ShapeKey key =
                ellipse != nullptr
                    ? ShapeKey{ellipse->box.left, ellipse->box.top, ellipse->box.right, ellipse->box.bottom, false}
                    : ShapeKey{line->from.x(), line->from.y(), line->to.x(), line->to.y(), true};
            auto [found, added] = later.try_emplace(key, !hollow);
            if (!added && (found->second || hollow))
                continue;
            found->second = found->second || !hollow;
            reach = Around(key.a, key.b, key.c, key.d);
        }
        if (cover.Covers(reach))
            continue;
        // A large text none of whose glyphs shows, under a later cell.
        if (large && !PickGlyphs(*text, cover) && cover.Covers(fill))
            continue;
        visible[i] = true;
        if (text != nullptr)
            ClipText(*text, cover, reach, cell);
        cover.Add(cell);
    }
    return visible;
}

void CDrawList::Draw(CDCDevice& dev, const Text& item)
{
    const QTransform t = item.Transform();
    const CFont& font = m_fonts[item.font].Get();
    const std::string_view text(m_text.data() + item.textAt, item.textLength);
    QImage* image = dev.Image();
    if (item.picked)
        TextCache::DrawPicked(dev.painter, t, font, text, item.systemPixels, m_picks.data() + item.pickAt,
                              item.pickCount, item.color, item.fill);
    else if (image == nullptr ||
             (!TextCache::Draw(*image, item.clip, t, font, text, item.color, item.fill, item.systemPixels) &&
              !CTextRuns::Shared().Draw(dev.painter, item.clip, {m_parts.data() + item.partsAt, item.partCount}, t,
                                         font, text, item.systemPixels, item.color, item.fill)))
    {
        // What lies outside the clip is drawn over later: a glyph filled
        // as an outline is then rasterised within it only.
        const bool clipped = image != nullptr && item.clip != QRect(0, 0, dev.width, dev.height);
        if (clipped) {
            dev.painter.save();
            dev.painter.setClipRect(item.clip, Qt::IntersectClip);
        }
        PlainText({dev.painter, dev.width, dev.height, item.systemPixels}, t, font,
                  TextOf(font, text.data(), int(text.size())), item.color, item.fill);
        if (clipped)
            dev.painter.restore();
    }
}

void CDrawList::Draw(CDCDevice& dev, const Ellipse& item)
{
    CBrush brush;
    if (item.hollow)
        brush.CreateHollowBrush();
    else
        brush.CreateSolidBrush(item.fill);
    DrawEllipseBox(dev, item.box, {item.pen, brush, false});
}

void CDrawList::Draw(CDCDevice& dev, const Line& item)
{
    PlainLine({dev.painter, dev.width, dev.height, 0}, item.from, item.to, item.pen, false);
}

void CDrawList::Flush(CDCDevice& dev)
{
    if (m_items.empty())
        return;
    const std::vector<bool> visible = Visible(dev);
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (visible[i])
            std::visit([&](const auto& item) { Draw(dev, item); }, m_items[i]);
    m_items.clear();
    m_text.clear();
    m_fonts.clear();
    m_picks.clear();
    m_parts.clear();
}
