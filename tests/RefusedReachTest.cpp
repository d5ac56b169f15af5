// SPDX-License-Identifier: MIT
// A name the glyph shaper refuses, measured again at the very place it was
// measured before, answers as a first measure there answers.
#include "platform/surface/Font.h"
#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/RefusedReaches.h"
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

// Cover of all of box but one corner pixel: one that few names' glyphs
// reach, so that a name is hidden under it though what it reached is not.
struct Corner {
    QRect box;
    int corner;
};

Answer MeasureOver(const CFont& font, const QTransform& t, const std::string& name, const Corner& covered)
{
    CCoverage cover(kWidth, kHeight);
    const QRect& r = covered.box;
    const bool top = covered.corner < 2, left = covered.corner % 2 == 0;
    cover.Add(r.adjusted(left ? 1 : 0, 0, left ? 0 : -1, 0));
    cover.Add(r.adjusted(0, top ? 1 : 0, 0, top ? 0 : -1));
    TextCache::TextBounds b;
    const bool shows = TextCache::Measure(t, font, name, 0, kWidth, kHeight, b, &cover);
    return Answer{shows, b.reach, b.cell, b.fill};
}

} // namespace

TEST(RefusedReach, ANameMeasuredAgainAtOnePlaceAnswersAsAFirstMeasureThere)
{
    // Over cover that holds all it reached, hidden; over any less, down to
    // one row or column or corner of its reach left open, just as when
    // first measured: drawn where it shows, not left out as before, and
    // left out where no glyph of it reaches what is open.
    const LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
    CScriptNames invented(0x72656163);
    std::vector<std::string> names;
    for (ScriptKind kind : {ScriptKind::Cjk, ScriptKind::Emoji, ScriptKind::Combining})
        for (int i = 0; i < 5; ++i)
            names.push_back(invented.Name(kind));
    int hiddenByLess = 0;  // hidden under less cover than all it reached
    for (double scale : {0.7, 2.6, 9.0}) {
        const QTransform t(scale, 0, 0, scale, 5.25, 33.5);
        for (const std::string& name : names) {
            SCOPED_TRACE(::testing::Message() << "scale " << scale << ": " << name);
            TextCache::Clear();
            const Answer open = MeasureOver(font, t, name, {QRect(), 0});
            ASSERT_TRUE(open.shows);
            const QRect r = open.reach;
            const QRect outside = r.adjusted(-1, -1, 1, 1);  // its corners reach no further than r
            const Corner covers[] = {{outside, 0},
                                     {r.adjusted(0, 1, 0, 0), 0},
                                     {r.adjusted(0, 0, 0, -1), 0},
                                     {r.adjusted(1, 0, 0, 0), 0},
                                     {r.adjusted(0, 0, -1, 0), 0},
                                     {r, 0},
                                     {r, 1},
                                     {r, 2},
                                     {r, 3},
                                     {open.cell, 0},
                                     {QRect(), 0}};
            std::vector<Answer> again;
            for (const Corner& covered : covers)
                again.push_back(MeasureOver(font, t, name, covered));
            EXPECT_FALSE(again.front().shows);
            for (std::size_t k = 0; k < std::size(covers); ++k) {
                TextCache::Clear();
                const Answer first = MeasureOver(font, t, name, covers[k]);
                EXPECT_EQ(again[k].shows, first.shows) << "cover " << k;
                hiddenByLess += k > 0 && !first.shows;
                EXPECT_EQ(again[k].reach, first.reach) << "cover " << k;
                EXPECT_EQ(again[k].cell, first.cell) << "cover " << k;
                EXPECT_EQ(again[k].fill, first.fill) << "cover " << k;
            }
        }
    }
    EXPECT_GT(hiddenByLess, 10);
}

TEST(RefusedReach, EveryKeptTextIsFoundAsKeptUntilTheBoundStartsItAgain)
{
    // Texts that are one another's beginnings, an empty one, and more than
    // the bound: each is found with what was kept for it, and no other.
    CRefusedReaches kept;
    EXPECT_EQ(kept.Find("a"), nullptr);
    auto textOf = [](std::size_t k) { return std::string(k % 7, 'x') + std::to_string(k); };
    const std::size_t count = CRefusedReaches::kMaxTexts + 10;
    for (std::size_t k = 0; k < count; ++k) {
        const std::string text = textOf(k);
        ASSERT_EQ(kept.Find(text), nullptr) << text;
        kept.Add(text).width = int(k);
        if (k < CRefusedReaches::kMaxTexts) {
            ASSERT_EQ(kept.Find(textOf(k / 2))->width, int(k / 2));
        }
    }
    // Past the bound it started again: the newest are kept, the first not.
    for (std::size_t k = CRefusedReaches::kMaxTexts; k < count; ++k)
        EXPECT_EQ(kept.Find(textOf(k))->width, int(k));
    EXPECT_EQ(kept.Find(textOf(0)), nullptr);
    EXPECT_EQ(kept.Find(""), nullptr);
    kept.Add("").width = -1;
    EXPECT_EQ(kept.Find("")->width, -1);
    EXPECT_EQ(kept.Find(textOf(count - 1).substr(1)), nullptr);
}
