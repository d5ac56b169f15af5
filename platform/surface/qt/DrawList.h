// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a repaint on an image, held back until its picture is
// needed. A surface on an image records its copying shapes and texts here
// and draws them when it is detached, or before anything that must see the
// picture so far (an exclusive-or figure, a filled rectangle, another
// surface pausing it). Drawing the list, it first looks at it from its last
// item back: an item that lies wholly off the device, or wholly under the
// opaque cells of texts drawn after it, cannot change a pixel and is left
// out; of a large text, so is every glyph whose pixels (qt/GlyphExtents)
// lie under later cells, and of a small one every pixel under them is left
// unwritten. Then it draws the rest in their order. So a map whose names pile up
// on one another costs what the visible ones cost, and the picture is the
// one the items would have made drawn one by one.

#include "platform/surface/Brush.h"
#include "platform/surface/Font.h"
#include "platform/surface/qt/DeviceGeometry.h"
#include "platform/surface/qt/TextCache.h"

#include <QPointF>
#include <QTransform>

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct CDCDevice;
class CCoverage;

class CDrawList {
public:
    void AddText(const QTransform& t, const CFont& font, int systemPixels, std::string_view text, COLORREF textColor,
                 COLORREF bkColor);
    void AddEllipse(const DeviceBox& box, COLORREF pen, const CBrush& brush);
    void AddLine(QPointF from, QPointF to, COLORREF pen);
    bool Empty() const { return m_items.empty(); }
    // Holds as much as it may: the caller flushes before adding more.
    bool Full() const { return m_items.size() >= kMaxItems || m_fonts.size() >= kMaxFonts; }
    // Draws what is held on dev, as above, and holds nothing after.
    void Flush(CDCDevice& dev);

private:
    static constexpr std::size_t kMaxItems = std::size_t(1) << 20;
    static constexpr std::size_t kMaxFonts = 0xFFFF;
    // A text: the transform (sx, 0, 0, sy, dx, dy) that places it, its
    // bytes m_text[textAt...], font m_fonts[font] and colours.
    struct Text {
        double sx = 1, sy = 1, dx = 0, dy = 0;
        std::uint16_t font = 0;
        int systemPixels = 0;
        COLORREF color = 0, fill = 0;  // text colour, background of its cell
        std::uint32_t textAt = 0, textLength = 0;
        // A large text: which of its glyphs to draw, m_picks[pickAt...].
        bool picked = false;
        std::uint32_t pickAt = 0, pickCount = 0;
        QRect clip = QRect();  // the device pixels of it that may show
        // Those pixels apart above, beside and below its cell: m_parts[partsAt...].
        std::uint32_t partsAt = 0, partCount = 0;
        QTransform Transform() const { return QTransform(sx, 0, 0, sy, dx, dy); }
    };
    struct Ellipse {
        DeviceBox box;
        COLORREF pen = 0, fill = 0;
        bool hollow = false;  // the brush leaves the inside alone
    };
    struct Line {
        QPointF from, to;
        COLORREF pen = 0;
    };
    using Item = std::variant<Text, Ellipse, Line>;
    // The font of a text, kept as it was when the text was recorded.
    struct Font {
        const CFont* stock = nullptr;
        std::unique_ptr<CFont> own;
        const CFont& Get() const { return stock != nullptr ? *stock : *own; }
    };
    std::uint16_t FontIndex(const CFont& font);
    std::vector<bool> Visible(const CDCDevice& dev);
    void ClipText(Text& text, const CCoverage& cover, const QRect& reach, const QRect& cell);
    // Picks the glyphs of a large text that may show over cover; false
    // when it knows that none does.
    bool PickGlyphs(Text& text, const CCoverage& cover);
    // Whether a held text shows over cover at all, with its bounds.
    bool MeasureText(const CDCDevice& dev, const Text& text, const CCoverage& cover, TextCache::GlyphPlaces& later,
                     QRect& reach, QRect& cell, QRect& fill, bool& large);
    void Draw(CDCDevice& dev, const Text& text);
    void Draw(CDCDevice& dev, const Ellipse& ellipse);
    void Draw(CDCDevice& dev, const Line& line);

    std::vector<Item> m_items;
    std::string m_text;
    std::vector<Font> m_fonts;
    std::vector<std::uint32_t> m_picks;
    std::vector<QRect> m_parts;
};
