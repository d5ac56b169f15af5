// SPDX-License-Identifier: MIT
#include "model/map/LightYears.h"
#include "model/map/StarMap.h"

#include <gtest/gtest.h>

TEST(MeasureLines, UndoRemovesNewestFirstAndThenNothing)
{
    CStarMap map;
    map.RemoveLastMeasureLine();  // on an empty list: nothing
    EXPECT_EQ(map.GetMeasureLineCount(), 0);
    for (int i = 1; i <= 3; ++i)
        map.AddMeasureLine(i, 2 * i, 3 * i, 4 * i, i);
    ASSERT_EQ(map.GetMeasureLineCount(), 3);
    for (int expected = 3; expected >= 1; --expected) {
        EXPECT_EQ(map.GetMeasureLine(map.GetMeasureLineCount() - 1).m_lightYears, expected);
        map.RemoveLastMeasureLine();
    }
    EXPECT_EQ(map.GetMeasureLineCount(), 0);
    map.RemoveLastMeasureLine();
    EXPECT_EQ(map.GetMeasureLineCount(), 0);
}

TEST(MeasureLines, StoresAnyValuesAsGiven)
{
    CStarMap map;
    map.AddMeasureLine(5, 5, 5, 5, 0);
    map.AddMeasureLine(-2147483647, 2147483647, 0, -1, -7);
    const CMeasureLine& l = map.GetMeasureLine(1);
    EXPECT_EQ(l.m_x1, -2147483647);
    EXPECT_EQ(l.m_y1, 2147483647);
    EXPECT_EQ(l.m_y2, -1);
    EXPECT_EQ(l.m_lightYears, -7);
}

TEST(MeasureLines, CountStopsAtTheSixteenBitLimit)
{
    CStarMap map;
    for (int i = 0; i < CStarMap::kMaxMeasureLines + 5; ++i)
        map.AddMeasureLine(0, 0, i, i, i);
    EXPECT_EQ(map.GetMeasureLineCount(), 32767);
    EXPECT_EQ(map.GetMeasureLine(32766).m_lightYears, 32766);
}

TEST(LightYears, TheLengthIsTruncatedThenDividedByTwenty)
{
    EXPECT_EQ(WholeLightYears({0, 0}, {600, 0}), 30);
    EXPECT_EQ(WholeLightYears({0, 0}, {619, 0}), 30);
    EXPECT_EQ(WholeLightYears({0, 0}, {620, 0}), 31);
    EXPECT_EQ(WholeLightYears({0, 0}, {300, 400}), 25);
    EXPECT_EQ(WholeLightYears({2, 3}, {-637, 37}), 31);  // 639.9 units
    EXPECT_EQ(WholeLightYears({-2147483647, -2147483647}, {2147483647, 2147483647}), 303700049);
}
