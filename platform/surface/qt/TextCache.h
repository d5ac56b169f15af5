// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the fast way to write map text. A name is laid out at
// glyph level by the font's CGlyphShaper (no text layout per name, nothing
// kept per name), and each glyph's pixels are rendered once per scale;
// writing a name then only adds up advances and copies those pixels into
// the image. The pixels are the ones Qt itself draws for the same text
// under the same transform: the glyphs come from the same font engine, are
// placed by the same rounding (x down, y to nearest, on positions in 1/64
// pixel), and the cell is filled by the same rounding of its edges.
//
// Two concerns: the glyph pixels and the caches of them, per font
// (qt/GlyphPixels, which writes a small text), and where a text lands,
// its cell and every pixel it can write, including the texts the shaper
// refuses (qt/TextPlacement, which measures and picks).

#include "platform/surface/Font.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

class CCoverage;

namespace TextCache {

// Where a text lands on a device, in whole device pixels.
struct TextBounds {
    // Every pixel the text can change: its cell and its glyphs' ink.
    QRect reach;
    // Pixels the text surely paints over with its cell's colour, whatever
    // lay beneath; empty when that is not known.
    QRect cell;
    // Of a text drawn the plain way: pixels its cell's fill may write.
    QRect fill;
    // Whether Draw writes it; otherwise it is drawn the plain way.
    bool fast = false;
};

// Where glyphs of texts drawn later in a picture land, exactly: the glyphs
// of the first cluster of each text the shaper refuses that shows. Drawn
// again at the very same place, by the same font, a glyph writes the very
// pixels it wrote there before. Not quite where the painter fills it as an
// outline: its smoothed edge then blends with the edge beneath, so a pile
// of such names differs from one drawn name by name in a few pixels of
// that edge (1 to 10 on 200 piled names at close zooms). Drawing every
// name of the pile for them would take seconds at extent 6.
class GlyphPlaces {
public:
    // A glyph's place: its font's cache, the font it came from, its index,
    // its device origin and scale.
    struct Place {
        const void* cache;
        std::uint32_t font;
        std::uint32_t id;
        double x, y, sx, sy;
        bool operator==(const Place& o) const
        {
            return cache == o.cache && font == o.font && id == o.id && x == o.x && y == o.y && sx == o.sx &&
                   sy == o.sy;
        }
    };
    bool Holds(const Place& p) const { return m_places.count(p) != 0; }
    void Add(const Place& p) { m_places.insert(p); }

private:
    struct Hash {
        std::size_t operator()(const Place& p) const;
    };
    std::unordered_set<Place, Hash> m_places;
};

// Works out where text lands under t (which places the text's top-left at
// logical (0, 0)) on a device of width x height. False when nothing of it
// can show there, or over cover (the cells of texts drawn after it) when
// given. A text the shaper refuses is bounded, given cover, by its
// clusters (a character with its marks and joiners), each laid out alone
// once and kept: the pixels their glyphs write, each cluster placed by the
// advances of those before it, and a cell that much shorter and longer
// than their sum as the whole text's layout may make it. Without cover, or
// when a character's drawing may depend on more than its cluster, its cell
// and ink come from the toolkit's layout of the whole text, which costs
// far more. A glyph of its first cluster at a place in later (when given)
// is hidden there; the places of a text that shows are added to it. What
// such a text reached is kept (qt/RefusedReaches): measured again under the
// same transform on a device of the same size, it is hidden at once over
// cover holding all of that, and looked at only until it shows otherwise.
bool Measure(const QTransform& t, const CFont& font, std::string_view text, int systemPixels, int width,
             int height, TextBounds& bounds, const CCoverage* cover = nullptr, GlyphPlaces* later = nullptr);

// Writes text into image as PlainText would under the same transform t,
// but only the pixels within clip (the others are drawn over later).
// False when this path does not apply (the system font under a scaling
// mapping, a text size at which Qt draws glyphs as outlines, a rotating or
// mirroring transform, a name the shaper refuses): the caller draws it
// plainly. systemPixels is the system font's height on this image.
bool Draw(QImage& image, const QRect& clip, const QTransform& t, const CFont& font, std::string_view text,
          COLORREF textColor, COLORREF bkColor, int systemPixels);

// For a text Measure found too large for Draw: appends to picks the
// positions of its glyphs that may show over cover (the pixels of texts
// drawn after it); false when it cannot tell, and all of it is drawn.
bool PickGlyphs(const QTransform& t, const CFont& font, std::string_view text, int systemPixels,
                const CCoverage& cover, std::vector<std::uint32_t>& picks);
// Draws a large text as PlainText would, but of its glyphs only those at
// the positions picks gives.
void DrawPicked(QPainter& painter, const QTransform& t, const CFont& font, std::string_view text,
                int systemPixels, const std::uint32_t* picks, std::size_t count, COLORREF textColor,
                COLORREF bkColor);

// Drops everything cached (tests and benchmarks measuring a cold cache).
void Clear();

} // namespace TextCache
