// SPDX-License-Identifier: MIT
// Names the glyph shaper refuses, laid out from pairs of their clusters,
// against the toolkit's layout of the whole name.
#include "platform/surface/Font.h"
#include "platform/surface/qt/ClusterPairs.h"
#include "platform/surface/qt/Clusters.h"
#include "platform/surface/qt/DrawingRules.h"
#include "platform/surface/qt/GlyphPixels.h"
#include "platform/surface/qt/TextCache.h"

#include "bench/BenchMapKinds.h"
#include "bench/ScriptNames.h"

#include "PictureCompare.h"

#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A glyph as drawn: its font, index and place from the text's origin on
// its baseline. The toolkit keeps one font per script it falls back from,
// so a font is told by what it is, not by which of them it came as.
using Drawn = std::tuple<QString, int, quint32, double, double>;

QString FontName(const QRawFont& raw)
{
    return raw.familyName() + ' ' + raw.styleName() + ' ' + QString::number(raw.pixelSize());
}

std::vector<Drawn> Sorted(std::vector<Drawn> glyphs)
{
    std::sort(glyphs.begin(), glyphs.end());
    return glyphs;
}

// The toolkit's layout of the whole text, and its advance.
std::vector<Drawn> WholeLayout(const CFont& font, const std::string& text, double& advance)
{
    QTextLayout layout(TextOf(font, text.data(), int(text.size())), RealiseFont(font, kSystemFontPixels));
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    advance = line.horizontalAdvance();
    std::vector<Drawn> glyphs;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> ids = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype k = 0; k < ids.size(); ++k)
            glyphs.emplace_back(FontName(run.rawFont()), 0, ids[k], at[k].x(), at[k].y() - line.ascent());
    }
    return Sorted(glyphs);
}

std::vector<Drawn> FromPairs(const TextCache::LaidOut& laid)
{
    std::vector<Drawn> glyphs;
    for (const TextCache::LaidOut::Glyph& g : laid.glyphs)
        glyphs.emplace_back(FontName((*laid.fonts)[g.font]), 0, g.id, g.x, g.y);
    return Sorted(glyphs);
}

void MakeNameFont(CFont& font, int pixels)
{
    LOGFONT desc = NameFontDescription();
    desc.lfHeight = -pixels;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
}

std::vector<std::string> RefusedNames()
{
    std::vector<std::string> names = {
        "\xE6\x98\x9F\xE3\x81\x8B \xF0\x9F\x9A\x80\xE2\x80\x8D\xF0\x9F\x8C\x8D ro\xCC\x82 AVAW",
        "Ju\xCC\x81\xCC\x88 q\xCC\xA7y o\xCC\x8Ao\xCC\x8Ao\xCC\x8C Tyyyyo\xCC\x81",
        // A pictograph one installed font has, and one none has, each with
        // a selector and between spaces.
        "r\xF0\x9F\x8C\xA1\xEF\xB8\x8F r n\xF0\x9F\x8C\x96 \xF0\x9F\x8C\x96\xEF\xB8\x8F Av",
        "\xF0\x9F\x8C\x96 leads, 12 \xE6\x98\x9F",
        "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1 T\xCC\x81 \xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 Amsterdam",
    };
    CScriptNames invented(0x70616972);
    for (ScriptKind kind : {ScriptKind::Cjk, ScriptKind::Emoji, ScriptKind::Combining, ScriptKind::Mixed})
        for (int i = 0; i < 60; ++i)
            names.push_back(invented.Name(kind));
    const std::string stacked = BenchMapText(BenchMapKind::StackedScripts, 200);
    for (std::size_t at = stacked.find('\n'); at != std::string::npos && at + 1 < stacked.size();) {
        const std::size_t end = stacked.find('\n', at + 1);
        const std::string line = stacked.substr(at + 1, end - at - 1);
        at = end;
        // name x y code: the name is all but the last three fields
        std::size_t cut = line.size();
        for (int field = 0; field < 3 && cut != std::string::npos; ++field)
            cut = line.rfind(' ', cut - 1);
        if (!line.empty() && line[0] != ';' && cut != std::string::npos && cut > 0)
            names.push_back(line.substr(0, cut));
    }
    return names;
}

} // namespace

TEST(ClusterPairs, NamesLaidOutFromPairsMatchTheToolkitsLayoutOfTheWholeName)
{
    const std::vector<std::string> names = RefusedNames();
    ASSERT_GT(names.size(), 400u);
    for (int pixels : {11, 6, 23}) {
        CFont font;
        MakeNameFont(font, pixels);
        const double height = pixels * 2.0;  // more than the font's ascent and descent
        std::size_t laidOut = 0;
        for (const std::string& name : names) {
            SCOPED_TRACE(::testing::Message() << name << " at " << pixels << " px");
            double advance = 0.0;
            const std::vector<Drawn> whole = WholeLayout(font, name, advance);
            TextCache::LaidOut laid;
            if (!TextCache::LayOutFromPairs(font, name, kSystemFontPixels, std::numeric_limits<double>::infinity(),
                                            laid))
                continue;
            ++laidOut;
            EXPECT_TRUE(laid.complete);
            EXPECT_EQ(laid.advance, advance);
            EXPECT_EQ(FromPairs(laid), whole);
            // Cut short halfway: every glyph it gives is the whole layout's,
            // and none is missing of those well before the cut.
            const double until = advance / 2;
            ASSERT_TRUE(TextCache::LayOutFromPairs(font, name, kSystemFontPixels, until, laid));
            const std::vector<Drawn> part = FromPairs(laid);
            EXPECT_TRUE(std::includes(whole.begin(), whole.end(), part.begin(), part.end()));
            for (const Drawn& g : whole) {
                if (std::get<3>(g) < until - Clusters::kClusterInkLeft * height) {
                    EXPECT_TRUE(std::binary_search(part.begin(), part.end(), g));
                }
            }
            if (!laid.complete) {
                EXPECT_GT(laid.advance, until);
            }
        }
        // Nearly all of them: the path is not refused to pass.
        EXPECT_GT(laidOut, names.size() * 9 / 10);
    }
}

TEST(Clusters, AClusterAfterItsRunsLetterKeepsItsOwnGlyphs)
{
    // A pictograph after a letter takes its glyph from a font the letter's
    // does not; the letter's glyph is left out of the cluster's, whichever
    // order the layout gives the fonts' runs in (an order that differs
    // from font to font and from run to run of the program).
    const std::u32string cluster = U"\U0001F316";
    for (int pixels = 6; pixels <= 30; ++pixels) {
        SCOPED_TRACE(::testing::Message() << pixels << " px");
        CFont font;
        MakeNameFont(font, pixels);
        double advance = 0.0;
        std::vector<Drawn> expected = WholeLayout(font, "x\xF0\x9F\x8C\x96", advance);
        const std::vector<Drawn> letter = WholeLayout(font, "x", advance);
        expected.erase(std::find(expected.begin(), expected.end(), letter.front()));
        GlyphPixels::Cache& c = GlyphPixels::CacheFor(font, kSystemFontPixels);
        const std::vector<char32_t> codes = {U'x', cluster[0]};
        const GlyphPixels::ClusterMetrics& metrics = Clusters::ClusterOf(c, U'x', codes, 1, 2);
        const double x0 = std::get<3>(expected.front());
        std::vector<Drawn> got;
        for (const GlyphPixels::ClusterGlyph& g : metrics.glyphs)
            got.emplace_back(FontName(c.clusterFonts[g.font]), 0, g.id, x0 + g.at.x(), g.at.y());
        EXPECT_EQ(Sorted(got), expected);
    }
}

TEST(ClusterPairs, NamesThatShareFewPairsAreLaidOutWholeRatherThanLearnt)
{
    // Each pair costs the toolkit a layout of its own: where a map's names
    // share few (ideographs of a font that has them all; here letters under
    // marks of every kind), learning each name's pairs costs more than
    // laying the name out whole, and past a first few thousand pairs only
    // names needing few new ones are laid out from pairs. Names that share
    // most of theirs are laid out from pairs throughout.
    CFont font;
    MakeNameFont(font, 11);
    constexpr int kNames = 4000;
    auto layOut = [&](const std::function<std::string()>& name) {
        TextCache::Clear();
        int fromPairs = 0;
        for (int i = 0; i < kNames; ++i) {
            TextCache::LaidOut laid;
            fromPairs += TextCache::LayOutFromPairs(font, name(), kSystemFontPixels,
                                                    std::numeric_limits<double>::infinity(), laid);
        }
        const GlyphPixels::PairLayouts& pl = GlyphPixels::CacheFor(font, kSystemFontPixels).pairLayouts;
        return std::pair(fromPairs, pl.pairs.size());
    };
    std::uint32_t seed = 7;
    auto next = [&](std::uint32_t below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    const auto [unshared, unsharedPairs] = layOut([&] {
        std::u32string name;
        for (int k = 0; k < 10; ++k) {
            name += char32_t(next(2) ? U'a' + next(26) : U'A' + next(26));
            name += char32_t(0x300 + next(0x70));
        }
        return QString::fromUcs4(name.data(), name.size()).toStdString();
    });
    SCOPED_TRACE(::testing::Message() << unshared << " unshared names from " << unsharedPairs << " pairs");
    EXPECT_GT(unshared, 0);
    EXPECT_LT(unshared, kNames / 2);
    EXPECT_LT(unsharedPairs, 2000u + 10u * kNames / 4);
    CScriptNames invented(0x66657770);
    const auto [shared, sharedPairs] = layOut([&] { return invented.Name(ScriptKind::Cjk); });
    EXPECT_GT(shared, kNames * 9 / 10) << sharedPairs << " pairs";
    TextCache::Clear();
}
