// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the toolkit's layout of the texts a held surface draws
// the plain way (names the glyph shaper refuses: ideographs, pictographs,
// letters under marks), kept across repaints. Laying such a name out costs
// the toolkit far more than drawing it, since it searches its fallback
// fonts for every character no font of the name has; a map that shows
// thousands of them would lay each out again on every repaint. Kept here:
// its glyphs (index, font, place) and the metrics its cell is filled by,
// per font, device and name, the least recently drawn dropped past a bound
// in bytes. A left-to-right name is laid out from learnt pairs of its
// clusters (qt/ClusterPairs), and only as far as the device reaches, and
// a thirty-second of its width more (a few scroll steps); it is laid out
// further when a later drawing needs more. Drawn from them, a text writes the very pixels PlainText
// writes, and only its glyphs that reach the device are handed on; glyphs
// large enough to be filled as outlines are filled as the painter fills
// them, of a script run one path, but only those that reach what shows.

#include "platform/surface/Font.h"
#include "platform/surface/qt/ClusterPairs.h"

#include <QBrush>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRawFont>
#include <QString>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The bound of the program's kept layouts: a layout of a name of 30
// characters takes about 950 bytes, so some 17,000 names. Past it, the
// least recently drawn goes; a repaint showing more names than that lays
// the ones it no longer keeps out again.
inline constexpr std::size_t kTextRunBytes = std::size_t(16) << 20;

class CTextRuns {
public:
    explicit CTextRuns(std::size_t maxBytes) : m_maxBytes(maxBytes) {}

    // Draws text under t (its top-left at logical (0, 0)) as PlainText
    // would, on the painter's device, from its kept layout (laid out now
    // if it is not kept), but of its glyphs only those that reach clip
    // (the others are off the device or drawn over later). Its cell, and
    // its glyphs, are drawn within parts alone: boxes in clip, of rows or
    // columns apart, that hold every pixel of it that shows (clip itself
    // when there are none). False when the text is not drawn this way
    // (glyphs at the size where the painter turns from copying glyphs to
    // filling them, or drawn from a picture; a font with lines through or
    // under it; a character whose drawing the layout would change): the
    // caller draws it plainly.
    bool Draw(QPainter& p, const QRect& clip, std::span<const QRect> parts, const QTransform& t, const CFont& font,
              std::string_view text, int systemPixels, COLORREF textColor, COLORREF bkColor);

    std::size_t Bytes() const { return m_bytes; }
    // Kept layouts laid out again further than they reached.
    std::size_t LaidOutFurther() const { return m_laidOutFurther; }
    std::size_t Count() const { return m_entries.size(); }
    // Whether text in font on the painter's device is kept.
    bool Holds(const QPainter& p, const CFont& font, std::string_view text, int systemPixels);
    void Clear();

    // The program's own (one user-interface thread), bounded by kTextRunBytes.
    static CTextRuns& Shared();

private:
    struct Run {
        std::uint32_t font, first, count;
    };
    // A glyph: its index in its run's font, its place from the text's
    // top-left on the baseline in 1/64 of the font's pixels (where the
    // layout keeps it), and its outline's box from there in whole pixels
    // of the font (unbounded for a glyph drawn from a picture).
    struct Glyph {
        quint32 id;
        std::int32_t x, y;
        std::int16_t left, top, right, bottom;
    };
    struct Layout {
        bool drawable = false;
        double advance = 0.0, height = 0.0;  // the cell
        // Glyphs are kept of every cluster whose pen stands at most this far
        // from the text's origin; the cell then reaches further still.
        double reach = std::numeric_limits<double>::infinity();
        std::vector<Run> runs;
        std::vector<Glyph> glyphs;
    };
    struct Entry {
        std::string key;
        Layout layout;
        std::size_t bytes = 0;
    };

    const std::string& KeyOf(const QPainter& p, const CFont& font, std::string_view text, int systemPixels);
    // What a drawing needs of a layout: the glyphs that may reach clip
    // under local.
    struct Reach {
        const QRect& clip;
        const QTransform& local;
    };
    const Layout& Find(const QPainter& p, const CFont& font, const QFont& f, std::string_view text,
                       int systemPixels, const Reach& reach);
    // Laid out as far as reach needs, and at least atLeast.
    Layout LayOut(const QPainter& p, const CFont& font, const QFont& f, std::string_view text, int systemPixels,
                  const Reach& reach, double atLeast);
    static std::size_t BytesOf(const Entry& entry);
    const Layout& Trim();
    static double Until(const Reach& reach, double height);
    std::uint32_t FontIndex(const QRawFont& raw);
    const QRectF& BoxOf(std::uint32_t font, quint32 id);
    bool MakeGlyph(std::uint32_t font, quint32 id, double x, double y, Glyph& g);
    bool Keep(const QGlyphRun& run, double shift, Layout& layout);
    bool KeepLaidOut(const TextCache::LaidOut& laid, double ascent, Layout& layout);
    void DrawGlyphs(QPainter& p, std::span<const QRect> parts, const QTransform& local, const Layout& layout);
    // Whether g's pixels, placed under local, may fall in one of parts.
    static bool Reaches(std::span<const QRect> parts, const QTransform& local, const Glyph& g);
    // A glyph's outline as the font gives it, from its origin in the
    // font's pixels, and whether its ink is a picture instead.
    struct GlyphOutline {
        QPainterPath path;
        bool picture = false;
    };
    const GlyphOutline& Outline(std::uint32_t font, quint32 id);
    bool Fillable(std::span<const QRect> parts, const QTransform& local, const Layout& layout);
    void FillOutlines(const QImage& image, bool smooth, const QRect& part, const QTransform& local,
                      const Layout& layout, const QBrush& ink);

    std::size_t m_maxBytes;
    std::size_t m_bytes = 0;
    std::size_t m_laidOutFurther = 0;
    std::list<Entry> m_entries;  // the most recently drawn first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> m_index;
    std::vector<QRawFont> m_fonts;
    std::unordered_map<std::uint64_t, GlyphOutline> m_outlines;  // by font and glyph
    std::unordered_map<std::uint64_t, QRectF> m_boxes;  // by font and glyph
    std::string m_key;  // scratch
    std::vector<quint32> m_runIds;  // scratch
    std::vector<QPointF> m_runAt;  // scratch
    TextCache::LaidOut m_laid;  // scratch
    std::vector<std::uint32_t> m_laidFonts;  // scratch
};
