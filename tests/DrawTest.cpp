// SPDX-License-Identifier: MIT
#include "model/map/StarMap.h"
#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"
#include "view/Legend.h"

#include "RecordingDC.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

class Draw : public ::testing::Test {
protected:
    void Load(const std::string& text)
    {
        std::string path = m_dir.Write("m.dat", text);
        ASSERT_TRUE(m_map.LoadDataFile(path.c_str()));
    }

    TempDir m_dir;
    CStarMap m_map;
};

const std::vector<std::string> kOverlayCalls = {
    "Ellipse -2000,-2000 2000,2000", "Ellipse -4000,-4000 4000,4000", "Ellipse -6000,-6000 6000,6000",
    "MoveTo -6000,0", "LineTo 6000,0", "MoveTo 0,-6000", "LineTo 0,6000",
};

// Picture of the map under the view's mapping, zoom z, centre (cx, cy).
CImage Render(CStarMap& map, int z, int cx, int cy, bool printing, bool circles, bool truce)
{
    CImage image(800, 600, printing ? RGB(255, 255, 255) : RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    dc.SetPrinting(printing);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(z, z);
    dc.SetViewportExt(800, 600);
    dc.SetWindowOrg(cx, cy);
    dc.SetViewportOrg(400, 300);
    map.Draw(&dc, circles, truce);
    return image;
}

} // namespace

TEST_F(Draw, OnScreenCallsComeInTheirOrder)
{
    Load("Hub 10 20 KOR\n");
    m_map.AddMeasureLine(3, 3, 10, 10, 1);
    RecordingDC dc;
    m_map.Draw(&dc, TRUE, TRUE);
    std::vector<std::string> expected = {
        "SelectFont -11 Arial", "SelectStock 5", "SetBkColor 000000",
        "SelectPen 00FF00", "SetTextColor 00FF00", "Ellipse 95,-205 105,-195", "TextOut 95,-195 Hub",
        "SelectPen 00FFFF", "SetTextColor 00FFFF", "MoveTo 3,3", "LineTo 10,10", "TextOut 6,6 1 Light Years",
        "SelectPen 008000"};
    expected.insert(expected.end(), kOverlayCalls.begin(), kOverlayCalls.end());
    expected.insert(expected.end(), {"SelectPen 800080", "MoveTo -6000,0", "LineTo 6000,0", "SelectFont system"});
    EXPECT_EQ(dc.calls, expected);
}

TEST_F(Draw, PrintingSelectsNoPenAndSetsNoColour)
{
    Load("Hub 10 20 KOR\nMorvath 1 -30 VH\n");
    m_map.AddMeasureLine(0, 0, -5, -5, 0);
    RecordingDC dc;
    dc.SetPrinting(true);
    m_map.Draw(&dc, TRUE, TRUE);
    std::vector<std::string> expected = {
        "SelectFont -11 Arial", "SelectStock 5",
        "Ellipse 95,-205 105,-195", "TextOut 95,-195 Hub",
        "Ellipse 5,295 15,305", "TextOut 5,305 Morvath",
        "MoveTo 0,0", "LineTo -5,-5", "TextOut -2,-2 0 Light Years"};
    expected.insert(expected.end(), kOverlayCalls.begin(), kOverlayCalls.end());
    expected.insert(expected.end(), {"MoveTo -6000,300", "LineTo 6000,300", "SelectFont system"});
    EXPECT_EQ(dc.calls, expected);
}

TEST_F(Draw, EmptyMapStillDrawsTheOverlaysAsked)
{
    RecordingDC none;
    m_map.Draw(&none, FALSE, FALSE);
    EXPECT_EQ(none.calls, (std::vector<std::string>{"SelectFont -11 Arial", "SelectStock 5", "SetBkColor 000000",
                                                     "SelectPen 00FFFF", "SetTextColor 00FFFF", "SelectFont system"}));
    RecordingDC truce;
    m_map.Draw(&truce, FALSE, TRUE);
    EXPECT_EQ(truce.calls[truce.calls.size() - 3], "MoveTo -6000,0");
}

TEST_F(Draw, TruceLineFollowsTheFirstMorvathOnly)
{
    Load("morvath 0 50 VH\nMorvath 0 20 VH\nMorvath 0 40 VH\n");
    RecordingDC dc;
    m_map.Draw(&dc, FALSE, TRUE);
    EXPECT_EQ(dc.calls[dc.calls.size() - 3], "MoveTo -6000,-200");
}

TEST_F(Draw, LabelsSitAtTruncatedMidpoints)
{
    m_map.AddMeasureLine(0, 0, 5, 5, 30);
    m_map.AddMeasureLine(0, 0, -5, -5, -2);
    m_map.AddMeasureLine(2147483640, 0, -2147483640, 0, 7);
    // Odd negative half-differences: -3 / 2 and -5 / 2 drop toward zero, to
    // -1 and -2, where a floor would give -2 and -3.
    m_map.AddMeasureLine(2, 3, -1, -2, 0);
    RecordingDC dc;
    m_map.Draw(&dc, FALSE, FALSE);
    std::vector<std::string> labels;
    for (const std::string& c : dc.calls)
        if (c.rfind("TextOut", 0) == 0)
            labels.push_back(c);
    EXPECT_EQ(labels, (std::vector<std::string>{"TextOut 2,2 30 Light Years", "TextOut -2,-2 -2 Light Years",
                                                 "TextOut 0,0 7 Light Years", "TextOut 1,1 0 Light Years"}));
}

TEST_F(Draw, PlanetLandsAsACircleOfItsColourAtTheMappedPixel)
{
    Load("Hub 0 0 QT\nFar 1000 1000 VH\n");
    CImage image = Render(m_map, 100, 0, 0, false, false, false);
    // Scale 6 pixels a unit: the circle of radius 5 spans 30 pixels around (400, 300).
    EXPECT_EQ(image.GetPixel(400, 270), RGB(255, 0, 0));
    EXPECT_EQ(image.GetPixel(370, 300), RGB(255, 0, 0));
    EXPECT_EQ(image.GetPixel(400, 290), RGB(0, 0, 0));
    int red = 0;
    for (int y = 330; y < 400; ++y)
        for (int x = 370; x < 500; ++x)
            red += image.GetPixel(x, y) == RGB(255, 0, 0);
    EXPECT_GT(red, 50) << "the name hangs below the circle in the faction colour";
}

TEST_F(Draw, LabelIsYellowOnABlackBox)
{
    CImage image(800, 600, RGB(0, 0, 0));
    m_map.AddMeasureLine(-40, 0, 40, 0, 4);
    {
        CDC dc;
        dc.AttachImage(image);
        dc.FillSolidRect(CRect(0, 0, 800, 600), RGB(40, 40, 200));
        dc.SetMapMode(MM_ISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(800, 600);
        dc.SetViewportOrg(400, 300);
        m_map.Draw(&dc, FALSE, FALSE);
    }
    EXPECT_EQ(image.GetPixel(401, 301), RGB(0, 0, 0)) << "the label's box covers its own line";
    EXPECT_EQ(image.GetPixel(200, 300), RGB(255, 255, 0)) << "the line is yellow";
    int yellow = 0;
    for (int y = 300; y < 360; ++y)
        for (int x = 400; x < 700; ++x)
            yellow += image.GetPixel(x, y) == RGB(255, 255, 0);
    EXPECT_GT(yellow, 50);
}

TEST_F(Draw, TruceLinePassesThroughMorvath)
{
    Load("Morvath 10 20 NJ\n");
    CImage image = Render(m_map, 12500, 0, 0, false, false, true);
    // y = -200 map units at 600/12500 pixels a unit: 9.6 pixels above the middle.
    EXPECT_EQ(image.GetPixel(200, 290), RGB(128, 0, 128));
    EXPECT_EQ(image.GetPixel(200, 300), RGB(0, 0, 0));
}

TEST_F(Draw, PrintingIsBlackOnWhite)
{
    Load("Hub 0 0 QT\nMorvath 10 20 NJ\n");
    m_map.AddMeasureLine(-300, 300, 300, 300, 30);
    CImage image = Render(m_map, 1000, 0, 0, true, true, true);
    int other = 0, black = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            COLORREF c = image.GetPixel(x, y);
            black += c == RGB(0, 0, 0);
            other += c != RGB(0, 0, 0) && c != RGB(255, 255, 255);
        }
    }
    EXPECT_EQ(other, 0);
    EXPECT_GT(black, 500);
}

TEST_F(Draw, LegendRowsAreFourteenPixelsApartInTheirColours)
{
    RecordingDC dc;
    DrawLegend(&dc, &m_map);
    ASSERT_EQ(dc.calls.size(), 1u + 2 * 17);
    EXPECT_EQ(dc.calls[0], "SetBkColor 000000");
    EXPECT_EQ(dc.calls[1], "SetTextColor FF0000");
    EXPECT_EQ(dc.calls[2], "TextOut 0,0 Ulmarch");
    EXPECT_EQ(dc.calls[13], "SetTextColor FFFFFF");
    EXPECT_EQ(dc.calls[14], "TextOut 0,84 Solvane");
    EXPECT_EQ(dc.calls[34], "TextOut 0,224 Feldrane Planet");
}

namespace {

template <class DC>
CImage RenderNames(const std::string& path)
{
    CStarMap map;
    EXPECT_TRUE(map.LoadDataFile(path.c_str()));
    CImage image(800, 600, RGB(0, 0, 0));
    DC dc;
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(200, 200);
    dc.SetViewportExt(800, 600);
    dc.SetViewportOrg(400, 300);
    map.Draw(&dc, FALSE, FALSE);
    return image;
}

// The same names in two encodings: é ü € — „ ” ™ Œ ž, and Ÿ (0x9F).
const char* const kNamesUtf8 = "Caf\xC3\xA9 -8 8 VH\nZ\xC3\xBCrich -8 4 QT\n\xE2\x82\xAC" "5 \xE2\x80\x94 x -8 0 KOR\n"
                               "\xE2\x80\x9EQuo\xE2\x80\x9D -8 -4 E\nAb\xE2\x84\xA2 \xC5\x92u\xC5\xBE\xC5\xB8 -8 -8 F\n";
const char* const kNames1252 = "Caf\xE9 -8 8 VH\nZ\xFCrich -8 4 QT\n\x80" "5 \x97 x -8 0 KOR\n"
                               "\x84Quo\x94 -8 -4 E\nAb\x99 \x8Cu\x9E\x9F -8 -8 F\n";
// The same again with every character outside ASCII a replacement mark.
const char* const kNamesMarked = "Caf\xEF\xBF\xBD -8 8 VH\nZ\xEF\xBF\xBDrich -8 4 QT\n\xEF\xBF\xBD" "5 \xEF\xBF\xBD x -8 0 KOR\n"
                                 "\xEF\xBF\xBDQuo\xEF\xBF\xBD -8 -4 E\nAb\xEF\xBF\xBD \xEF\xBF\xBDu\xEF\xBF\xBD\xEF\xBF\xBD -8 -8 F\n";

template <class DC>
void ExpectSameNamesSamePixels(const TempDir& dir)
{
    CImage utf8 = RenderNames<DC>(dir.Write("utf8.dat", kNamesUtf8));
    CImage ansi = RenderNames<DC>(dir.Write("ansi.dat", kNames1252));
    CImage marked = RenderNames<DC>(dir.Write("marked.dat", kNamesMarked));
    EXPECT_EQ(utf8.CountDifferences(ansi), 0);
    EXPECT_GT(utf8.CountDifferences(marked), 100) << "every letter is drawn as itself";
}

} // namespace

TEST_F(Draw, NamesInUtf8AndInWindows1252DrawTheSamePixels)
{
    ExpectSameNamesSamePixels<CDC>(m_dir);
    ExpectSameNamesSamePixels<CReferenceDC>(m_dir);
}
