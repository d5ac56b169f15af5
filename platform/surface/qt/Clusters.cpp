// SPDX-License-Identifier: MIT
#include "platform/surface/qt/Clusters.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>

using namespace Clusters;
using namespace GlyphPixels;

namespace {

bool RegionalIndicator(char32_t c)
{
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

// Clusters kept at most; past this they are laid out again as needed.
constexpr std::size_t kMaxClusters = 65536;

// The cluster codes[i, j) after the letter first (none when 0), from the
// toolkit's layout of the two.
ClusterMetrics LayOutCluster(Cache& c, char32_t first, const std::vector<char32_t>& codes, std::size_t i,
                             std::size_t j)
{
    QString s;
    if (first != 0)
        s = QString::fromUcs4(&first, 1);
    const qsizetype letter = s.size();
    s += QString::fromUcs4(codes.data() + i, qsizetype(j - i));
    QTextLayout layout(s, c.font);
    layout.setCacheEnabled(true);  // or the glyph runs shape it again
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    // The cluster starts where the pen stands after the letter.
    const double x0 = line.cursorToX(int(letter));
    ClusterMetrics metrics;
    metrics.advance = line.naturalTextWidth() - x0;
    // The cluster's own glyphs: the layout's runs of the whole text come
    // merged by font, in no set order, so the letter's glyph is not
    // always the first of them.
    const QList<QGlyphRun> runs = line.glyphRuns(int(letter), int(s.size() - letter));
    for (const QGlyphRun& run : runs) {
        const QList<quint32> ids = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype k = 0; k < ids.size() && k < at.size(); ++k) {
            const QPointF from(at[k].x() - x0, at[k].y() - line.ascent());
            metrics.glyphs.push_back({ClusterFont(c, run.rawFont()), ids[k], from});
        }
    }
    return metrics;
}

} // namespace

namespace Clusters {

Place PlaceOf(char32_t c)
{
    if (c == 0x200D || c == 0x200C || (c >= 0x1F3FB && c <= 0x1F3FF))
        return Place::Joins;
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return Place::Joins;
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
        return Place::Unknown;
    default:
        break;
    }
    switch (QChar::direction(c)) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
        return Place::Starts;
    default:
        return Place::Unknown;
    }
}

std::size_t ClusterEnd(const std::vector<char32_t>& codes, std::size_t i)
{
    std::size_t j = i + 1;
    if (RegionalIndicator(codes[i]) && j < codes.size() && RegionalIndicator(codes[j]))
        ++j;
    while (j < codes.size()) {
        const Place place = PlaceOf(codes[j]);
        if (place == Place::Unknown)
            return 0;
        if (place == Place::Starts)
            break;
        // A joiner takes the next character into its cluster.
        if (codes[j] == 0x200D && j + 1 < codes.size()) {
            if (PlaceOf(codes[j + 1]) == Place::Unknown)
                return 0;
            ++j;
        }
        ++j;
    }
    return j;
}

// A run's script is that of its first letter; characters common to all
// scripts (spaces, digits, punctuation, pictographs) join the run before
// them, or at a text's start the run after them, and the toolkit takes
// their glyphs from the fonts it falls back on for that script.
bool Common(char32_t c)
{
    const QChar::Script script = QChar::script(c);
    return script == QChar::Script_Common || script == QChar::Script_Inherited;
}

ClusterMetrics& ClusterOf(Cache& c, char32_t first, const std::vector<char32_t>& codes, std::size_t i,
                          std::size_t j)
{
    const bool joins = first != 0 && Common(codes[i]);
    const char32_t script = joins ? char32_t(QChar::script(first)) + 1 : char32_t(0);
    if (c.clusterInk.size() + c.charInk.size() + c.bmpClusters.size() >= kMaxClusters)
        c.clusterInk.clear(), c.charInk.clear(), c.bmpSlots.clear(), c.bmpClusters.clear();
    if (j == i + 1 && script == 0 && codes[i] < 0x10000) {
        if (c.bmpSlots.empty())
            c.bmpSlots.assign(0x10000, 0);
        std::uint32_t& slot = c.bmpSlots[codes[i]];
        if (slot == 0) {
            c.bmpClusters.push_back(LayOutCluster(c, 0, codes, i, j));
            slot = std::uint32_t(c.bmpClusters.size());
        }
        return c.bmpClusters[slot - 1];
    }
    ClusterMetrics* metrics = nullptr;
    if (j <= i + 2) {  // one or two characters (a letter and its mark), kept without a string
        const std::uint64_t second = j == i + 2 ? codes[i + 1] : 0;  // no cluster holds a NUL
        auto [found, added] =
            c.charInk.try_emplace((std::uint64_t(script) << 42) | (std::uint64_t(codes[i]) << 21) | second);
        if (!added)
            return found->second;
        metrics = &found->second;
    } else {
        c.clusterKey.assign(1, script);
        c.clusterKey.append(codes.begin() + std::ptrdiff_t(i), codes.begin() + std::ptrdiff_t(j));
        auto found = c.clusterInk.find(c.clusterKey);
        if (found != c.clusterInk.end())
            return found->second;
        metrics = &c.clusterInk[c.clusterKey];
    }
    *metrics = LayOutCluster(c, joins ? first : 0, codes, i, j);
    return *metrics;
}

std::uint32_t ClusterFont(Cache& c, const QRawFont& raw)
{
    // The toolkit keeps a font of its own for each script it falls back
    // from, so the same font may come as several; they draw alike.
    auto found = std::find_if(c.clusterFonts.begin(), c.clusterFonts.end(), [&](const QRawFont& kept) {
        return kept == raw ||
               (kept.pixelSize() == raw.pixelSize() && kept.weight() == raw.weight() && kept.style() == raw.style() &&
                kept.hintingPreference() == raw.hintingPreference() && kept.familyName() == raw.familyName() &&
                kept.styleName() == raw.styleName());
    });
    if (found != c.clusterFonts.end())
        return std::uint32_t(found - c.clusterFonts.begin());
    c.clusterFonts.push_back(raw);
    return std::uint32_t(c.clusterFonts.size() - 1);
}

} // namespace Clusters
