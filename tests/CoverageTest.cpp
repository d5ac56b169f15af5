// SPDX-License-Identifier: MIT
#include "platform/surface/qt/Coverage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The coverage of later opaque cells answers from its bits, its full rows
// and the widest covered run of each row; every answer must be the one a
// plain pixel-by-pixel record gives, for boxes piled on one start as a map
// piles names, and for boxes anywhere.

namespace {

struct Plain {
    int width, height;
    std::vector<bool> px;
    Plain(int w, int h) : width(w), height(h), px(std::size_t(w) * h) {}
    void Add(const QRect& r)
    {
        const QRect c = r & QRect(0, 0, width, height);
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                px[std::size_t(y) * width + x] = true;
    }
    QRect Uncovered(const QRect& r) const
    {
        QRect box;
        const QRect c = r & QRect(0, 0, width, height);
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                if (!px[std::size_t(y) * width + x])
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

QRect RandomBox(std::mt19937& rng, bool piled)
{
    std::uniform_int_distribution<int> at(-20, 200), size(1, 150), len(1, 180);
    if (piled)  // one start, lengths and heights that differ a little
        return QRect(40, 30 + size(rng) % 3, len(rng), 8 + size(rng) % 3);
    return QRect(at(rng), at(rng) / 2, size(rng), size(rng) / 4 + 1);
}

} // namespace

TEST(Coverage, AnswersAsAPixelRecordDoes)
{
    std::mt19937 rng(17);
    for (bool piled : {true, false}) {
        for (int round = 0; round < 20; ++round) {
            const int width = 130 + round * 7, height = 90;
            CCoverage cover(width, height);
            Plain plain(width, height);
            for (int step = 0; step < 40; ++step) {
                for (int probe = 0; probe < 10; ++probe) {
                    const QRect r = RandomBox(rng, piled && probe % 2 == 0);
                    const QRect expected = plain.Uncovered(r);
                    SCOPED_TRACE(::testing::Message() << "piled " << piled << " round " << round << " step " << step);
                    ASSERT_EQ(cover.Covers(r), expected.isEmpty());
                    ASSERT_EQ(cover.Uncovered(r), expected);
                }
                const QRect add = RandomBox(rng, piled);
                cover.Add(add);
                plain.Add(add);
            }
        }
    }
    // Full rows and a full device answer without their bits.
    CCoverage small(70, 3);
    small.Add(QRect(0, 0, 70, 2));
    EXPECT_TRUE(small.Covers(QRect(-5, 0, 100, 2)));
    EXPECT_EQ(small.Uncovered(QRect(0, 0, 70, 3)), QRect(0, 2, 70, 1));
    small.Add(QRect(0, 2, 70, 1));
    EXPECT_TRUE(small.Full());
    EXPECT_TRUE(small.Uncovered(QRect(3, 1, 9, 9)).isEmpty());
}
