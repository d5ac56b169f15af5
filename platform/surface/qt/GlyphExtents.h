// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: exactly which pixels a large glyph (one the toolkit
// fills as an outline, its edges smoothed) touches, so that a held-back
// repaint can prove it hidden under the cells of later texts where a box
// guessed from the font's outline would reach past them by a pixel or two.
// The extent is found by drawing the glyph once, by the very call that
// draws it within a name, into a scratch picture; since an outline's
// pixels depend on where within a pixel its origin falls, an extent
// belongs to a glyph, a scale and that place, which names that share a
// start and a baseline share. A large glyph is drawn only along the sides
// of the box the caller guessed for it, so the cost stays that of its
// outline. All are dropped on a new scale or past a bound in number.

#include <QFont>
#include <QRect>
#include <QTransform>

#include <cstddef>
#include <unordered_map>

struct GlyphAt {
    quint32 id;
    char32_t code;   // the character drawn for it
    double x;        // its origin, logical, from the text's left
    double ascent;   // the text's baseline, logical, from its top
};

class CGlyphExtents {
public:
    // The device pixels glyph g of a text in font under t (a plain scale,
    // the text's top-left at logical (0, 0)) touches, in exact (empty when
    // none); guess holds all of them. False when it cannot tell.
    bool Find(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& guess, QRect& exact);

    // Whether glyph g, as above, touches no pixel of open (a part of
    // guess); false also when it cannot tell. Only open is drawn.
    bool Misses(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& guess, const QRect& open);

private:
    struct Key {
        quint32 id;
        double fx, fy;
        bool operator==(const Key& o) const { return id == o.id && fx == o.fx && fy == o.fy; }
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    // A glyph at its place within a pixel, and a box from its origin pixel.
    struct AreaKey {
        Key glyph;
        int x, y, w, h;
        bool operator==(const AreaKey& o) const
        {
            return glyph == o.glyph && x == o.x && y == o.y && w == o.w && h == o.h;
        }
    };
    struct AreaKeyHash {
        std::size_t operator()(const AreaKey& k) const;
    };
    // The glyph's key and origin pixel under t; false when t places it
    // too far off to tell, or guess is too large. Drops all kept on a new
    // scale or past the bound.
    bool Place(const QTransform& t, const GlyphAt& g, const QRect& guess, Key& key, QPoint& origin);
    // From the pixel the origin falls on; a null rectangle when the
    // scratch picture was too small to tell.
    static QRect Render(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& room, QPoint origin);
    // The device pixels within area that g touches, in a box.
    static QRect Touched(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& area);

    double m_sx = 0.0, m_sy = 0.0;
    std::unordered_map<Key, QRect, KeyHash> m_extents;
    std::unordered_map<AreaKey, bool, AreaKeyHash> m_misses;
};
