// SPDX-License-Identifier: MIT
#include "model/map/FactionTable.h"
#include "model/map/StarMap.h"

#include <gtest/gtest.h>

namespace {

struct Lookup {
    CPen* pen;
    COLORREF color;
};

Lookup Find(CStarMap& map, const std::string& code)
{
    Lookup l{};
    map.GetFactionPen(code, l.pen, l.color);
    return l;
}

} // namespace

TEST(FactionTable, EveryCodeYieldsItsPenAndThatPensColour)
{
    CStarMap map;
    const std::pair<const char*, FactionPen> expected[] = {
        {"VH", kPenOrange}, {"QT", kPenRed}, {"LMR", kPenMagenta}, {"ZA", kPenMidGreen},
        {"BND", kPenCyan}, {"OR", kPenGreen}, {"KOR", kPenGreen}, {"E", kPenOchre},
        {"KE", kPenOchre}, {"UL", kPenBlue}, {"KUL", kPenBlue}, {"TY", kPenViolet},
        {"KTY", kPenViolet}, {"HSN", kPenDarkBlue}, {"IX", kPenGrey}, {"KIX", kPenGrey},
        {"DM", kPenYellow}, {"KDM", kPenYellow}, {"GW", kPenRose}, {"RPF", kPenAmber},
        {"NJ", kPenLightGrey}, {"F", kPenTeal}};
    for (const auto& [code, pen] : expected) {
        Lookup l = Find(map, code);
        EXPECT_EQ(l.pen, &map.GetPen(pen)) << code;
        EXPECT_EQ(l.color, l.pen->GetColor()) << code;
    }
    EXPECT_EQ(Find(map, "KOR").color, 0x00FF00u);
    EXPECT_EQ(Find(map, "DM").color, 0x00FFFFu);
    EXPECT_EQ(Find(map, "DM").pen, &map.GetPen(kPenYellow));
}

TEST(FactionTable, CodesOutsideTheTableAreWhite)
{
    CStarMap map;
    for (const char* code : {"vh", "VHX", "V", "", "S", " VH", "VH ", "-30"}) {
        Lookup l = Find(map, code);
        EXPECT_EQ(l.pen, &map.GetPen(kPenWhite)) << '"' << code << '"';
        EXPECT_EQ(l.color, 0xFFFFFFu) << code;
    }
}

TEST(FactionTable, PensHaveTheirColoursAndNoCodeSelectsBlackDarkGreenOrPurple)
{
    CStarMap map;
    EXPECT_EQ(map.GetPen(kPenOrange).GetColor(), 0x0080FFu);
    EXPECT_EQ(map.GetPen(kPenViolet).GetColor(), 0xC40080u);
    EXPECT_EQ(map.GetPen(kPenDarkGreen).GetColor(), 0x008000u);
    EXPECT_EQ(map.GetPen(kPenPurple).GetColor(), 0x800080u);
    for (int i = 0; i < kPenCount; ++i) {
        EXPECT_EQ(map.GetPen(FactionPen(i)).GetWidth(), 0);
        EXPECT_EQ(map.GetPen(FactionPen(i)).GetStyle(), PS_SOLID);
    }
    for (const FactionCode& entry : kFactionCodes) {
        EXPECT_NE(entry.pen, kPenBlack);
        EXPECT_NE(entry.pen, kPenDarkGreen);
        EXPECT_NE(entry.pen, kPenPurple);
    }
}

TEST(FactionTable, LegendRowSevenIsWhite)
{
    CStarMap map;
    ASSERT_EQ(kLegendRows.size(), 17u);
    EXPECT_STREQ(kLegendRows[6].text, "Solvane");
    EXPECT_EQ(Find(map, kLegendRows[6].code).color, 0xFFFFFFu);
    EXPECT_EQ(Find(map, kLegendRows[0].code).color, RGB(0, 0, 255));
    EXPECT_STREQ(kLegendRows[16].text, "Feldrane Planet");
}
