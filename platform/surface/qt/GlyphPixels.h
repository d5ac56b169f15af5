// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the glyph pixels behind map text, kept per font. Each
// glyph the shaper places is rendered once per scale into a mask of the
// pixels the toolkit itself draws for it (the same font engine, placed by
// the same rounding: x down, y to nearest, on positions in 1/64 pixel),
// and writing a small text then copies those pixels into the image. The
// clusters of texts the shaper refuses are kept here too, with their
// glyphs and the pixels those write (qt/TextPlacement decides where such a
// text lands).
//
// The caches belong to the whole program (one user-interface thread), one
// per font in use, told apart by the font's description, its encoding and,
// for the system font, its height on the device; a few fonts at most, since
// the map font and the legend's system font alternate on every repaint. A
// cache's glyph pixels are rendered again when the scale changes, and
// dropped when they pass a bound in bytes.

#include "platform/surface/Font.h"
#include "platform/surface/qt/FlatKeyMap.h"
#include "platform/surface/qt/GlyphExtents.h"
#include "platform/surface/qt/GlyphShaper.h"
#include "platform/surface/qt/RefusedReaches.h"
#include "platform/surface/qt/TextCache.h"

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QRect>
#include <QRectF>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace GlyphPixels {

// Qt draws glyphs of 64 device pixels and more as outlines, whose pixels
// then depend on the sub-pixel position; this path stays well below that.
constexpr double kLargestCachedPixels = 48.0;

struct Mask {
    int dx = 0, dy = 0, width = 0, height = 0;
    std::vector<std::uint8_t> bits;
};

// A glyph of a cluster of a text the shaper refuses: its font (an index
// into Cache::clusterFonts), and its origin from the cluster's origin and
// baseline, in the font's pixels.
struct ClusterGlyph {
    std::uint32_t font;
    quint32 id;
    QPointF at;
    // Of small text: the pixels it writes from the pixel its origin falls
    // on, at the scale of generation pixelsOf (0: none yet).
    QRect pixels = QRect();
    std::uint32_t pixelsOf = 0;
};

// Such a cluster alone: how far it moves the pen, in the font's pixels,
// and its glyphs.
struct ClusterMetrics {
    double advance = 0.0;
    std::vector<ClusterGlyph> glyphs;
    // What it is to a pair of clusters (qt/ClusterPairs); 0 until asked.
    std::uint32_t token = 0;
};

// Whole texts the shaper refuses laid out from pairs of neighbouring
// clusters, each pair learnt once from the toolkit's layout of it
// (qt/ClusterPairs).
struct PairLayouts {
    // A glyph of a pair's first cluster: its font (as ClusterGlyph's) and
    // its origin from that cluster's pen and the baseline.
    struct Glyph {
        std::uint32_t font;
        quint32 id;
        double x, y;
    };
    // How far the first cluster moves the pen to the second's (to the
    // text's end when it is the last), and its glyphs in glyphs; count is
    // kRefused when the pair does not lay out as its clusters do alone.
    struct Pair {
        double advance = 0.0;
        std::uint32_t first = 0, count = 0;
    };
    static constexpr std::uint32_t kRefused = ~std::uint32_t(0);
    // Clusters that lay out alike share a token: the same glyphs of the
    // same fonts at the same places, in the same kind of run.
    std::unordered_map<std::u32string, std::uint32_t> tokens;
    // Of each token (less one), its glyphs alone: font and index, sorted.
    std::vector<std::vector<std::pair<std::uint32_t, quint32>>> tokenGlyphs;
    CFlatKeyMap<Pair> pairs;
    std::vector<Glyph> glyphs;
    // Texts laid out so far; of those sampled, the pairs they needed and
    // of them those not yet learnt: how much the map's names share.
    std::uint64_t texts = 0, needed = 0, unlearnt = 0;
    std::u32string key;  // scratch
};

struct Cache {
    LOGFONT desc{};
    CTextEncoding encoding = CTextEncoding::Windows1252;
    int systemPixels = 0;  // the system font's height; 0 for any other font
    QFont font;  // as realised for the device
    std::unique_ptr<CGlyphShaper> shaper;
    double sx = 0.0, sy = 0.0;
    std::unordered_map<quint32, Mask> masks;
    std::size_t maskBytes = 0;
    CGlyphExtents extents;  // of large glyphs
    // Outline boxes of the glyphs of texts the shaper refuses, by the font
    // the toolkit took each from.
    std::vector<std::pair<QRawFont, CFlatKeyMap<QRectF>>> inkBoxes;
    std::size_t inkBoxCount = 0;
    // Of each cluster of characters of such texts (a character and the
    // marks and joiners after it), by the script of the run it stands in:
    // the box of its glyphs' ink from its origin and baseline, in the
    // font's pixels.
    std::unordered_map<std::u32string, ClusterMetrics> clusterInk;
    CFlatKeyMap<ClusterMetrics> charInk;  // clusters of one or two characters
    // Clusters of one character of the first plane outside a run of
    // another script, the most of them: 1 + their index in bmpClusters.
    std::vector<std::uint32_t> bmpSlots;
    std::vector<ClusterMetrics> bmpClusters;
    std::u32string clusterKey;  // scratch
    std::vector<QRawFont> clusterFonts;  // the fonts their glyphs come from
    std::uint32_t scaleGeneration = 1;  // counts the scales met
    // The pixels each glyph of those fonts writes (see ClusterGlyph::pixels)
    // at the present scale, by font and glyph: many clusters share a glyph.
    CFlatKeyMap<QRect> clusterGlyphPixels;
    std::vector<TextCache::GlyphPlaces::Place> firstPlaces;  // scratch: a text's first cluster
    CRefusedReaches refusedReaches;
    std::vector<char32_t> codes;  // scratch: a text's characters
    PairLayouts pairLayouts;
};

// The cache of font (for the system font, at systemPixels on the device).
Cache& CacheFor(const CFont& font, int systemPixels);
// The glyphs of the text being written: reused from text to text.
std::vector<PlacedGlyph>& Scratch();
// The pixels Qt draws for glyph id of raw at c's scale, relative to the
// pixel its rounding places the glyph's origin on.
Mask RenderMask(const Cache& c, const QRawFont& raw, quint32 id);
// Qt keeps glyph positions in 1/64 pixel, truncated toward zero.
double ToFixed(double v);
// Whether a text can be written under t at all: a plain scale, the system
// font only where the mapping leaves its size alone (it is a device font).
bool Applies(const QTransform& t, const CFont& font);
// Rounded as Qt rounds a filled rectangle's edges; clamped first, since a
// long name may reach far beyond the image.
int Edge(double v);
// The cell of a text of this advance under t, as Qt fills it.
QRect CellOf(const QTransform& t, const Cache& c, double advance);
// Whether text in c under t is small enough for glyph masks.
bool Small(const QTransform& t, const Cache& c);
// Keeps the glyph pixels of t's scale.
void UseScale(Cache& c, const QTransform& t);
// The pixels the glyphs of a small text write.
QRect InkOf(Cache& c, const QTransform& t, const std::vector<PlacedGlyph>& glyphs);
// The outline box of a glyph of raw, from its origin, or its metrics box
// for a glyph drawn from a picture (which has no outline).
QRectF InkBox(Cache& c, const QRawFont& raw, quint32 id);
// Drops every cache.
void ClearAll();

} // namespace GlyphPixels
