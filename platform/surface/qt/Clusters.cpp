// SPDX-License-Identifier: MIT
#include "platform/surface/qt/Clusters.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>

using namespace GlyphPixels;

namespace Clusters {

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
