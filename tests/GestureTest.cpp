// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "res/ResourceIds.h"

#include <Qt>

namespace {

class Gestures : public GuiTest {
protected:
    void SetUp() override
    {
        std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}, {"Rim", 300, -200, "VH"}}));
        ASSERT_TRUE(Start({path}));
    }
};

} // namespace

TEST_F(Gestures, ZoomBoxDividesEachAxisByHowOftenTheBoxFits)
{
    Press(MK_LBUTTON, {100, 100});
    Move({200, 150});
    Move({300, 200});
    CPoint middle(200, 150);
    View()->DeviceToMap(middle);
    Release(MK_LBUTTON, {300, 200});
    EXPECT_EQ(View()->m_zoom, CSize(12500 / 4, 12500 / 6));
    EXPECT_EQ(View()->m_center, middle);
}

TEST_F(Gestures, ZoomBoxDraggedUpAndLeftIsNormalised)
{
    Press(MK_LBUTTON, {500, 400});
    Move({100, 100});
    Release(MK_LBUTTON, {100, 100});
    EXPECT_EQ(View()->m_zoom, CSize(12500 / 2, 12500 / 2));
}

TEST_F(Gestures, WideBoxKeepsTheWidthAndABoxReleasedPastTheEdgeZoomsNothing)
{
    Press(MK_LBUTTON, {0, 0});
    Move({500, 100});
    Release(MK_LBUTTON, {500, 100});
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500 / 6));
    View()->OnZoomExtents();
    Press(MK_LBUTTON, {10, 10});
    Move({5000, 4000});
    Release(MK_LBUTTON, {5000, 4000});
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
}

TEST_F(Gestures, ClicksAndReleasesWithoutAPressDoNothing)
{
    CImage before = Snapshot();
    Press(MK_LBUTTON, {100, 100});
    Release(MK_LBUTTON, {100, 100});
    Release(MK_LBUTTON, {300, 300});
    Press(MK_RBUTTON, {100, 100});
    Release(MK_RBUTTON, {100, 100});
    Release(MK_RBUTTON, {300, 300});
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
    EXPECT_EQ(Map()->GetMeasureLineCount(), 0);
    EXPECT_EQ(Snapshot().CountDifferences(before), 0);
}

TEST_F(Gestures, RubberBandsEraseThemselves)
{
    CImage before = Snapshot();
    Press(MK_LBUTTON, {100, 100});
    Move({200, 180});
    EXPECT_GT(View()->GetBackBuffer().CountDifferences(before), 0) << "the focus rectangle shows";
    Move({250, 90});
    Move({100, 100});
    EXPECT_EQ(View()->GetBackBuffer().CountDifferences(before), 0) << "an empty box leaves nothing";
    Release(MK_LBUTTON, {100, 100});
    Press(MK_RBUTTON, {400, 300});
    Move({410, 305});
    Move({420, 330});
    EXPECT_GT(View()->GetBackBuffer().CountDifferences(before), 0) << "the measuring line shows";
    Move({405, 290});
    Move({400, 300});
    EXPECT_EQ(View()->GetBackBuffer().CountDifferences(before), 0) << "back at the start, nothing left";
    Release(MK_RBUTTON, {400, 300});
    EXPECT_EQ(Map()->GetMeasureLineCount(), 0) << "a release at the press point adds nothing";
}

TEST_F(Gestures, MeasuringClampsTheBandButStoresTheWholeLine)
{
    // Zoom 584 on a client area of 800 x 600 less the metrics: one unit a pixel.
    View()->m_zoom = CSize(584, 584);
    Press(MK_RBUTTON, {100, 300});
    Move({800, 300});
    EXPECT_EQ(View()->m_measureEnd.x, 719) << "619 units is the longest 30 light years";
    Release(MK_RBUTTON, {750, 300});
    ASSERT_EQ(Map()->GetMeasureLineCount(), 1);
    const CMeasureLine& line = Map()->GetMeasureLine(0);
    EXPECT_EQ(line.m_lightYears, 32);
    EXPECT_EQ(line.m_x2 - line.m_x1, 650);
    EXPECT_EQ(View()->LightYearsBetween({0, 0}, {600, 0}), 30);
    EXPECT_EQ(View()->LightYearsBetween({0, 0}, {639, 34}), 31);  // 639.9 units
    EXPECT_EQ(View()->LightYearsBetween({0, 0}, {619, 0}), 30);
    EXPECT_EQ(View()->LightYearsBetween({0, 0}, {620, 0}), 31);
}

TEST_F(Gestures, ClampEndsWhereOnePixelSpansMoreThanTheLimit)
{
    SetScrollBarMetricForTesting(5000);  // one pixel of mapping: 12500 units a pixel
    Press(MK_RBUTTON, {0, 0});
    Move({9, 3});
    Release(MK_RBUTTON, {9, 3});
    EXPECT_EQ(Map()->GetMeasureLineCount(), 1);
}

TEST_F(Gestures, LeftButtonWinsWhileBothAreDown)
{
    Press(MK_LBUTTON, {100, 100});
    Press(MK_RBUTTON, {100, 100});
    Move({300, 250});
    EXPECT_EQ(View()->m_zoomBox, CRect(100, 100, 300, 250));
    EXPECT_EQ(View()->m_measureEnd, CPoint(100, 100));
}

TEST_F(Gestures, ThreeLinesAndFourUndos)
{
    for (int i = 1; i <= 3; ++i) {
        Press(MK_RBUTTON, {100, 100});
        Move({100 + 10 * i, 100});
        Release(MK_RBUTTON, {100 + 10 * i, 100});
    }
    ASSERT_EQ(Map()->GetMeasureLineCount(), 3);
    int last = Map()->GetMeasureLine(2).m_x2;
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Map()->GetMeasureLineCount(), 2);
    EXPECT_LT(Map()->GetMeasureLine(1).m_x2, last);
    Frame()->SendCommand(ID_EDIT_UNDO);
    Frame()->SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Map()->GetMeasureLineCount(), 0);
    EXPECT_TRUE(Frame()->SendCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Map()->GetMeasureLineCount(), 0);
}

TEST_F(Gestures, TheRubberBandAndTheStoredLineCoverTheSamePixels)
{
    // Map units no larger than a pixel, so every client pixel has a map
    // point of its own; drags in all four directions from a corner free of
    // planets and names.
    // At the full extent 30 light years are 28 pixels: no band is clamped.
    const CPoint drags[] = {{17, 13}, {-15, 16}, {19, -9}, {-12, -14}, {24, 3}};
    for (int zoom : {12500, 3125, 781}) {
        View()->m_zoom = CSize(zoom, zoom);
        View()->Invalidate(TRUE);
        for (CPoint d : drags) {
            SCOPED_TRACE(::testing::Message() << "zoom " << zoom << " drag " << d.x << "," << d.y);
            CPoint from(150, 120), to(150 + d.x, 120 + d.y);
            CImage before = Snapshot();
            Press(MK_RBUTTON, from);
            Move(to);
            CImage band = View()->GetBackBuffer();
            Release(MK_RBUTTON, to);
            ASSERT_GT(Map()->GetMeasureLineCount(), 0);
            const CMeasureLine& line = Map()->GetMeasureLine(Map()->GetMeasureLineCount() - 1);
            // The label covers the line from its midpoint right and down.
            CPoint mid(line.m_x1 + (line.m_x2 - line.m_x1) / 2, line.m_y1 + (line.m_y2 - line.m_y1) / 2);
            CDC dc;
            View()->OnPrepareDC(&dc, nullptr);
            dc.LPtoDP(&mid);
            CImage stored = Snapshot();
            long banded = 0, differing = 0;
            for (int y = 0; y < 300; ++y) {
                for (int x = 0; x < 300; ++x) {
                    if (x >= mid.x && y >= mid.y)
                        continue;
                    bool inBand = band.GetPixel(x, y) != before.GetPixel(x, y);
                    bool inLine = stored.GetPixel(x, y) == RGB(255, 255, 0);
                    banded += inBand;
                    differing += inBand != inLine;
                }
            }
            EXPECT_GT(banded, 5);
            EXPECT_EQ(differing, 0);
            Frame()->SendCommand(ID_EDIT_UNDO);
        }
    }
}

TEST_F(Gestures, ADragReleasedOutsideTheViewOnlyErasesItsBand)
{
    CImage before = Snapshot();
    // The client area is 800 x 600: the first pixel outside on each side.
    for (CPoint outside : {CPoint(800, 300), CPoint(400, 600), CPoint(-1, 300), CPoint(400, -1), CPoint(2000, 2000)}) {
        SCOPED_TRACE(::testing::Message() << outside.x << "," << outside.y);
        Press(MK_LBUTTON, {100, 100});
        Move({300, 250});
        Move(outside);
        Release(MK_LBUTTON, outside);
        EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
        EXPECT_EQ(View()->m_center, CPoint(0, 0));
        EXPECT_EQ(View()->GetBackBuffer().CountDifferences(before), 0) << "the box is erased";
        Press(MK_RBUTTON, {400, 300});
        Move({420, 310});
        Move(outside);
        Release(MK_RBUTTON, outside);
        EXPECT_EQ(Map()->GetMeasureLineCount(), 0);
        EXPECT_EQ(View()->GetBackBuffer().CountDifferences(before), 0) << "the measuring band is erased";
    }
    // The last pixels inside still count.
    Press(MK_LBUTTON, {500, 400});
    Move({799, 599});
    Release(MK_LBUTTON, {799, 599});
    EXPECT_EQ(View()->m_zoom, CSize(12500 / 2, 12500 / 3));
    Press(MK_RBUTTON, {790, 590});
    Release(MK_RBUTTON, {799, 599});
    EXPECT_EQ(Map()->GetMeasureLineCount(), 1);
}
