// SPDX-License-Identifier: MIT
#include "platform/surface/qt/ClusterPairs.h"

#include "platform/surface/qt/Clusters.h"
#include "platform/surface/qt/GlyphPixels.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

using namespace Clusters;
using namespace GlyphPixels;

namespace {

// Past these bounds the pairs (and the clusters, which carry their tokens)
// are learnt again: some 12 MiB at most, where a map of 32,767 names of
// ideographs, pictographs and marks meets about 11,000 tokens and, at a
// close zoom, 20,000 pairs. A token fits 21 bits, three to a pair's key.
constexpr std::uint32_t kMaxTokens = std::uint32_t(1) << 17;
constexpr std::size_t kMaxPairs = std::size_t(1) << 17;
static_assert(kMaxTokens < (std::uint32_t(1) << 21));
// Learning a pair costs about a fifth of the toolkit's layout of a whole
// name. Names of ideographs in a font that has them share few pairs: while
// more than half of the pairs the names need are new, a name needing more
// than a few new ones is laid out whole. How many are new is judged from
// every name until a first few thousand pairs are learnt, then from a
// sample of the names, all of whose pairs are learnt.
constexpr std::uint64_t kFewNewPairs = 3;
constexpr std::uint64_t kUnlearntBeforeJudging = 2000;
constexpr std::uint64_t kSampleEvery = 8;
// How far past the last cluster needed, in the font's heights, its
// clusters are found: the pairs' kerning moves the pen by far less.
constexpr double kPastUntil = 2.0;

// A cluster of the text being laid out: codes[i, j), the letter of its run
// (0 when the text has none) and its token.
struct Step {
    std::size_t i, j;
    char32_t letter;
    std::uint32_t token;
};

bool Space(char32_t c)
{
    return QChar::category(c) == QChar::Separator_Space;
}

std::uint32_t TokenOf(Cache& c, ClusterMetrics& cluster, char32_t code, bool joins, char32_t letter)
{
    if (cluster.token != 0)
        return cluster.token;
    PairLayouts& pl = c.pairLayouts;
    std::u32string& key = pl.key;
    key.clear();
    key += joins ? char32_t(QChar::script(letter)) + 1 : char32_t(0);
    key += char32_t(QChar::category(code));
    key += char32_t(QChar::script(code));
    key += char32_t(std::lround(cluster.advance * 64.0));
    for (const ClusterGlyph& g : cluster.glyphs) {
        key += char32_t(g.font);
        key += char32_t(g.id);
        key += char32_t(std::lround(g.at.x() * 64.0));
        key += char32_t(std::lround(g.at.y() * 64.0));
    }
    auto [found, added] = pl.tokens.try_emplace(key, std::uint32_t(pl.tokens.size() + 1));
    if (added) {
        auto& glyphs = pl.tokenGlyphs.emplace_back();
        for (const ClusterGlyph& g : cluster.glyphs)
            glyphs.emplace_back(g.font, g.id);
        std::sort(glyphs.begin(), glyphs.end());
    }
    cluster.token = found->second;
    return cluster.token;
}

QString StringOf(const std::vector<char32_t>& codes, std::size_t from, std::size_t to)
{
    return QString::fromUcs4(codes.data() + from, qsizetype(to - from));
}

// Learns steps[k] with the cluster after it (or the text's end), as the
// toolkit lays the two out in the run they stand in: after the run's letter
// when the first is common to all scripts, and after the cluster before it
// when it takes its font from there (before), with a letter after a space
// that ends the pair, which would otherwise trail.
PairLayouts::Pair Learn(Cache& c, const std::vector<char32_t>& codes, const std::vector<Step>& steps,
                        std::size_t k, bool before)
{
    const Step& a = steps[k];
    const bool last = k + 1 == steps.size();
    const std::size_t lead = before ? steps[k - 1].i : a.i;
    QString s;
    if (JoinsRun(codes, lead, a.letter))
        s = QString::fromUcs4(&a.letter, 1);
    s += StringOf(codes, lead, a.i);
    const int from = int(s.size());
    s += StringOf(codes, a.i, a.j);
    const int to = int(s.size());
    if (!last) {
        const Step& b = steps[k + 1];
        s += StringOf(codes, b.i, b.j);
        if (Space(codes[b.i])) {
            const char32_t letter = a.letter != 0 ? a.letter : U'x';
            s += QString::fromUcs4(&letter, 1);
        }
    }
    QTextLayout layout(s, c.font);
    layout.setCacheEnabled(true);  // or the glyph runs shape it again
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    PairLayouts& pl = c.pairLayouts;
    PairLayouts::Pair pair;
    const double pen = line.cursorToX(from);
    pair.advance = (last ? line.horizontalAdvance() : line.cursorToX(to)) - pen;
    pair.first = std::uint32_t(pl.glyphs.size());
    std::vector<std::pair<std::uint32_t, quint32>> drawn;
    const QList<QGlyphRun> runs = line.glyphRuns(from, to - from);
    for (const QGlyphRun& run : runs) {
        const std::uint32_t font = ClusterFont(c, run.rawFont());
        const QList<quint32> ids = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype g = 0; g < ids.size() && g < at.size(); ++g) {
            pl.glyphs.push_back({font, ids[g], at[g].x() - pen, at[g].y() - line.ascent()});
            drawn.emplace_back(font, ids[g]);
        }
    }
    pair.count = std::uint32_t(pl.glyphs.size() - pair.first);
    // Within the pair the cluster must draw the glyphs it draws alone: a
    // pair the font merges, or a glyph chosen by what follows, would draw
    // otherwise within a longer text too.
    std::sort(drawn.begin(), drawn.end());
    if (drawn != pl.tokenGlyphs[a.token - 1]) {
        pl.glyphs.resize(pair.first);
        pair.count = PairLayouts::kRefused;
    }
    return pair;
}

// The text's clusters, each with its glyphs alone; false when one has no
// known place. Past until (by their advances alone, and a margin for the
// pairs' kerning) only the next cluster is found, as the neighbour of the
// last one laid out: a new cluster costs a layout. truncated tells whether
// clusters were left out.
bool StepsOf(Cache& c, const std::vector<char32_t>& codes, std::vector<Step>& steps, double until, bool& truncated)
{
    steps.clear();
    truncated = false;
    char32_t letter = 0;
    for (char32_t ch : codes)
        if (!Common(ch)) {
            letter = ch;
            break;
        }
    double pen = 0.0;
    for (std::size_t i = 0, j = 0; i < codes.size(); i = j) {
        j = ClusterEnd(codes, i);
        if (j == 0)
            return false;
        if (!Common(codes[i]))
            letter = codes[i];
        ClusterMetrics& cluster = ClusterOf(c, letter, codes, i, j);
        steps.push_back({i, j, letter, TokenOf(c, cluster, codes[i], JoinsRun(codes, i, letter), letter)});
        if (pen > until + kPastUntil * c.shaper->Height()) {
            truncated = j < codes.size();
            break;
        }
        pen += cluster.advance;
    }
    return true;
}

std::uint64_t KeyOf(const std::vector<char32_t>& codes, const std::vector<Step>& steps, std::size_t k)
{
    const bool before = k > 0 && JoinsRun(codes, steps[k].i, steps[k].letter);
    return (std::uint64_t(before ? steps[k - 1].token : 0) << 42) | (std::uint64_t(steps[k].token) << 21) |
           (k + 1 < steps.size() ? steps[k + 1].token : 0);
}

// Whether the pairs of steps are worth learning, rather than laying the
// text out whole.
bool WorthLearning(PairLayouts& pl, const std::vector<char32_t>& codes, const std::vector<Step>& steps)
{
    const bool sampled = pl.unlearnt < kUnlearntBeforeJudging || ++pl.texts % kSampleEvery == 0;
    if (!sampled && pl.unlearnt * 2 <= pl.needed)
        return true;  // names share most of their pairs: no need to count this one's
    std::uint64_t unlearnt = 0;
    for (std::size_t k = 0; k < steps.size(); ++k)
        unlearnt += pl.pairs.Find(KeyOf(codes, steps, k)) == nullptr ? 1 : 0;
    if (sampled) {
        pl.needed += steps.size();
        pl.unlearnt += unlearnt;
        return true;
    }
    return unlearnt <= kFewNewPairs;
}

void Forget(Cache& c)
{
    PairLayouts& pl = c.pairLayouts;
    pl.texts = pl.needed = pl.unlearnt = 0;
    pl.tokens.clear();
    pl.tokenGlyphs.clear();
    pl.pairs.clear();
    pl.glyphs.clear();
    // The clusters keep tokens that no longer stand for anything.
    c.clusterInk.clear(), c.charInk.clear(), c.bmpSlots.clear(), c.bmpClusters.clear();
}

} // namespace

namespace TextCache {

bool LayOutFromPairs(const CFont& font, std::string_view text, int systemPixels, double until, LaidOut& out)
{
    out.glyphs.clear();
    out.complete = true;
    Cache& c = CacheFor(font, systemPixels);
    PairLayouts& pl = c.pairLayouts;
    if (pl.tokens.size() >= kMaxTokens || pl.pairs.size() >= kMaxPairs)
        Forget(c);
    std::vector<char32_t>& codes = c.codes;
    ToCharacters(text, font.GetTextEncoding(), codes);
    // A layout leaves trailing spaces out of its advance.
    if (codes.empty() || PlaceOf(codes.front()) != Place::Starts || Space(codes.back()))
        return false;
    static std::vector<Step> steps;  // scratch: the one user-interface thread lays texts out
    bool truncated = false;
    if (!StepsOf(c, codes, steps, until, truncated) || !WorthLearning(pl, codes, steps))
        return false;
    double pen = 0.0;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        if (pen > until) {
            out.complete = false;
            break;
        }
        // Kerning moved the pen back by more than the margin allows.
        if (truncated && k + 1 == steps.size())
            return false;
        const std::uint64_t key = KeyOf(codes, steps, k);
        PairLayouts::Pair* found = pl.pairs.Find(key);
        if (found == nullptr) {
            const bool before = k > 0 && JoinsRun(codes, steps[k].i, steps[k].letter);
            const PairLayouts::Pair learnt = Learn(c, codes, steps, k, before);
            found = pl.pairs.TryEmplace(key).first;
            *found = learnt;
        }
        const PairLayouts::Pair& pair = *found;
        if (pair.count == PairLayouts::kRefused)
            return false;
        for (std::uint32_t g = pair.first; g < pair.first + pair.count; ++g) {
            const PairLayouts::Glyph& glyph = pl.glyphs[g];
            out.glyphs.push_back({glyph.font, glyph.id, pen + glyph.x, glyph.y});
        }
        pen += pair.advance;
    }
    out.advance = pen;
    out.fonts = &c.clusterFonts;
    return true;
}

} // namespace TextCache
