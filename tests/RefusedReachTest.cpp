// SPDX-License-Identifier: MIT
// A name the glyph shaper refuses, measured again at the very place it was
// measured before, or moved by whole pixels, answers as a first measure
// there answers.
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
#include <utility>
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

Answer MeasureOver(const CFont& font, const QTransform& t, const std::string& name, const Corner& covered,
                   const QRect& also = QRect())
{
    CCoverage cover(kWidth, kHeight);
    cover.Add(also);
    const QRect& r = covered.box;
    const bool top = covered.corner < 2, left = covered.corner % 2 == 0;
    cover.Add(r.adjusted(left ? 1 : 0, 0, left ? 0 : -1, 0));
    cover.Add(r.adjusted(0, top ? 1 : 0, 0, top ? 0 : -1));
    TextCache::TextBounds b;
    const bool shows = TextCache::Measure(t, font, name, 0, kWidth, kHeight, b, &cover);
    return Answer{shows, b.reach, b.cell, b.fill};
}

std::vector<std::string> RefusedNames(int perKind)
{
    CScriptNames invented(0x72656163);
    std::vector<std::string> names;
    for (ScriptKind kind : {ScriptKind::Cjk, ScriptKind::Emoji, ScriptKind::Combining})
        for (int i = 0; i < perKind; ++i)
            names.push_back(invented.Name(kind));
    return names;
}

// Covers of all a name reached, and of all but one edge row or column or
// corner of it, of its cell, and of nothing.
std::vector<Corner> CoversOf(const Answer& open)
{
    const QRect& r = open.reach;
    const QRect outside = r.adjusted(-1, -1, 1, 1);  // its corners reach no further than r
    return {{outside, 0},
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
}

void MakeNameFont(CFont& font)
{
    const LOGFONT desc = NameFontDescription();
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
}

} // namespace

TEST(RefusedReach, ANameMeasuredAgainAtOnePlaceAnswersAsAFirstMeasureThere)
{
    // Over cover that holds all it reached, hidden; over any less, down to
    // one row or column or corner of its reach left open, just as when
    // first measured: drawn where it shows, not left out as before, and
    // left out where no glyph of it reaches what is open.
    CFont font;
    MakeNameFont(font);
    const std::vector<std::string> names = RefusedNames(5);
    int hiddenByLess = 0;  // hidden under less cover than all it reached
    for (double scale : {0.7, 2.6, 9.0}) {
        const QTransform t(scale, 0, 0, scale, 5.25, 33.5);
        for (const std::string& name : names) {
            SCOPED_TRACE(::testing::Message() << "scale " << scale << ": " << name);
            TextCache::Clear();
            const Answer open = MeasureOver(font, t, name, {QRect(), 0});
            ASSERT_TRUE(open.shows);
            const std::vector<Corner> covers = CoversOf(open);
            std::vector<Answer> again;
            for (const Corner& covered : covers)
                again.push_back(MeasureOver(font, t, name, covered));
            EXPECT_FALSE(again.front().shows);
            for (std::size_t k = 0; k < covers.size(); ++k) {
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

TEST(RefusedReach, ANameMovedByWholePixelsAnswersAsAFirstMeasureWhereItLands)
{
    // A scroll step moves every name by whole pixels. Measured at one place
    // and then at another, a name answers at the second as a first measure
    // there does, over every cover (and over cover of where it was too),
    // whether what it reached moves with it or it must be looked at again:
    // close to the device's edges or past them, moved by part of a pixel,
    // or at a scale where it runs off the device.
    CFont font;
    MakeNameFont(font);
    std::vector<std::string> names = RefusedNames(3);
    // Low letters, then marks piled above the last one: what it reaches
    // rises only once the marks, past the device's right edge at first,
    // come onto it.
    names.push_back(std::string(30, 'n') + "a\u0301\u0301\u0301\u0301\u0323\u0323\u0323\u0323");
    const QPointF offsets[] = {{0, 0},   {7, -3},   {-300, 40}, {600, 400}, {-899, -499}, {-880, 0}, {0, -480},
                               {0.5, 0}, {2000, 0}, {-1400, 0}, {-903, 0},  {0, -505},    {-930, -520}};
    int hidden = 0;
    // The second place puts the top of a name's cell above the device, and
    // at the larger scales its glyphs on it.
    for (const auto& [scale, from] : {std::pair{0.7, QPointF(900.25, 500.5)}, {2.6, QPointF(900.25, 500.5)},
                                      {9.0, QPointF(900.25, 500.5)}, {2.6, QPointF(700, -40)},
                                      {9.0, QPointF(700, -40)}}) {
        const QTransform first(scale, 0, 0, scale, from.x(), from.y());
        for (const QPointF& offset : offsets) {
            const QTransform moved = first * QTransform::fromTranslate(offset.x(), offset.y());
            for (const std::string& name : names) {
                SCOPED_TRACE(::testing::Message() << "scale " << scale << ", moved by " << offset.x() << ", "
                                                  << offset.y() << ": " << name);
                TextCache::Clear();
                const Answer open = MeasureOver(font, moved, name, {QRect(), 0});
                const QRect before = MeasureOver(font, first, name, {QRect(), 0}).reach;
                for (const Corner& covered : CoversOf(open))
                    for (const QRect& also : {QRect(), before}) {
                        TextCache::Clear();
                        MeasureOver(font, first, name, {QRect(), 0});
                        const Answer again = MeasureOver(font, moved, name, covered, also);
                        TextCache::Clear();
                        const Answer there = MeasureOver(font, moved, name, covered, also);
                        EXPECT_EQ(again.shows, there.shows);
                        hidden += !there.shows;
                        if (!there.shows)
                            continue;
                        // Moved, what it reaches is bounded by all of it, on
                        // the device or not: the same where all of it is.
                        if (QRect(1, 1, kWidth - 2, kHeight - 2).contains(there.reach)) {
                            EXPECT_EQ(again.reach, there.reach);
                            EXPECT_EQ(again.fill, there.fill);
                        }
                        EXPECT_TRUE(again.reach.contains(there.reach));
                        EXPECT_TRUE(there.fill.isEmpty() || again.fill.contains(there.fill));
                        EXPECT_EQ(again.cell, there.cell);
                    }
            }
        }
    }
    EXPECT_GT(hidden, 100);
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
