// SPDX-License-Identifier: MIT
// A name the glyph shaper refuses, measured again at the very place it was
// measured before, answers as a first measure there answers.
#include "platform/surface/Font.h"
#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/TextCache.h"

#include "bench/ScriptNames.h"

#include "PictureCompare.h"

#include <gtest/gtest.h>

#include <QRect>
#include <QTransform>

#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

struct Answer {
    bool shows = false;
    QRect reach, cell, fill;
};

Answer MeasureOver(const CFont& font, const QTransform& t, const std::string& name, const QRect& covered)
{
    CCoverage cover(kWidth, kHeight);
    cover.Add(covered);
    TextCache::TextBounds b;
    const bool shows = TextCache::Measure(t, font, name, 0, kWidth, kHeight, b, &cover);
    return Answer{shows, b.reach, b.cell, b.fill};
}

} // namespace

TEST(RefusedReach, ANameMeasuredAgainAtOnePlaceAnswersAsAFirstMeasureThere)
{
    // Over cover that holds all it reached, hidden; over any less, down to
    // one row or column of its reach left open, just as when first measured
    // (and so drawn where it shows, not left out as before).
    const LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
    CScriptNames invented(0x72656163);
    std::vector<std::string> names;
    for (ScriptKind kind : {ScriptKind::Cjk, ScriptKind::Emoji, ScriptKind::Combining})
        for (int i = 0; i < 5; ++i)
            names.push_back(invented.Name(kind));
    for (double scale : {0.7, 2.6, 9.0}) {
        const QTransform t(scale, 0, 0, scale, 5.25, 33.5);
        for (const std::string& name : names) {
            SCOPED_TRACE(::testing::Message() << "scale " << scale << ": " << name);
            TextCache::Clear();
            const Answer open = MeasureOver(font, t, name, QRect());
            ASSERT_TRUE(open.shows);
            const QRect r = open.reach;
            const QRect covers[] = {r, r.adjusted(0, 1, 0, 0), r.adjusted(0, 0, 0, -1), r.adjusted(1, 0, 0, 0),
                                    r.adjusted(0, 0, -1, 0), open.cell, QRect()};
            std::vector<Answer> again;
            for (const QRect& covered : covers)
                again.push_back(MeasureOver(font, t, name, covered));
            EXPECT_FALSE(again.front().shows);
            for (std::size_t k = 0; k < std::size(covers); ++k) {
                TextCache::Clear();
                const Answer first = MeasureOver(font, t, name, covers[k]);
                EXPECT_EQ(again[k].shows, first.shows) << "cover " << k;
                EXPECT_EQ(again[k].reach, first.reach) << "cover " << k;
                EXPECT_EQ(again[k].cell, first.cell) << "cover " << k;
                EXPECT_EQ(again[k].fill, first.fill) << "cover " << k;
            }
        }
    }
}
