// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "platform/surface/DC.h"
#include "res/ResourceIds.h"

#include <Qt>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <utility>

#include "platform/framework/qt/WndImpl.h"

namespace {

class ViewGeometry : public GuiTest {
protected:
    void SetUp() override
    {
        std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}, {"Rim", 100, 50, "VH"}}));
        ASSERT_TRUE(Start({path}));
    }
};

} // namespace

// The zoom, scroll and mapping arithmetic itself is MapViewport's, tested
// case by case without a window; these check that the view's commands,
// bars and client area reach it and what the user then sees.

TEST_F(ViewGeometry, StartsAtTheFullExtentAndTheZoomCommandsRefreshTheBars)
{
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
    EXPECT_EQ(View()->m_center, CPoint(0, 0));
    EXPECT_FALSE(View()->m_showCircles || View()->m_showTruceLine || View()->m_showLegend);
    auto range = [this](int bar) {
        int lo = 0, hi = 0;
        View()->GetScrollRange(bar, &lo, &hi);
        return std::make_pair(lo, hi);
    };
    Frame()->SendCommand(ID_ZOOM_IN);
    EXPECT_EQ(View()->m_zoom, CSize(6250, 6250));
    EXPECT_EQ(range(SB_VERT), std::make_pair(-199, 199));
    View()->m_center = CPoint(130, -260);
    Frame()->SendCommand(ID_ZOOM_OUT);
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
    EXPECT_EQ(View()->m_center, CPoint(130, -260)) << "zoom out keeps the centre";
    EXPECT_EQ(View()->GetScrollPos(SB_HORZ), 1) << "the thumb follows the centre";
    EXPECT_EQ(View()->GetScrollPos(SB_VERT), -2);
    for (int i = 0; i < 5; ++i)
        Frame()->SendCommand(ID_ZOOM_IN);
    EXPECT_EQ(range(SB_HORZ), std::make_pair(-3199, 3199));
    Frame()->SendCommand(ID_ZOOM_EXTENTS);
    EXPECT_EQ(View()->m_zoom, CSize(12500, 12500));
    EXPECT_EQ(View()->m_center, CPoint(0, 0));
    EXPECT_EQ(range(SB_HORZ), std::make_pair(-99, 99));
}

TEST_F(ViewGeometry, ScrollCodesMoveTheCentreByHundredthsOfTheExtent)
{
    CKestrinView* v = View();
    int lo, hi;
    v->GetScrollRange(SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, -99);
    EXPECT_EQ(hi, 99);
    v->OnHScroll(SB_LINERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 125);
    v->OnHScroll(SB_PAGERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 101 * 125);
    EXPECT_EQ(v->GetScrollPos(SB_HORZ), 99) << "the bar keeps its thumb in range";
    v->OnHScroll(SB_PAGERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 199 * 125) << "a step past the end starts from the clamped thumb";
    v->OnHScroll(SB_PAGERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 199 * 125);
    v->OnVScroll(SB_THUMBPOSITION, static_cast<UINT>(-40), nullptr);
    EXPECT_EQ(v->m_center.y, -40 * 125);
    for (UINT ignored : {SB_THUMBTRACK, SB_TOP, SB_BOTTOM})
        v->OnVScroll(ignored, 7, nullptr);
    EXPECT_EQ(v->m_center.y, -40 * 125);
}

TEST_F(ViewGeometry, ScrollAtExtent1562AndOnlyEndScrollRepaints)
{
    CKestrinView* v = View();
    for (int i = 0; i < 3; ++i)
        v->OnZoomIn();
    int lo, hi;
    v->GetScrollRange(SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 799);
    EXPECT_EQ(v->GetScrollPos(SB_HORZ), 0);
    v->OnHScroll(SB_LINERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 15);
    CImage before = Snapshot();
    v->OnHScroll(SB_LINERIGHT, 0, nullptr);
    EXPECT_EQ(v->m_center.x, 31);
    EXPECT_EQ(Snapshot().CountDifferences(before), 0) << "no repaint before the end of the scroll";
    v->OnHScroll(SB_ENDSCROLL, 0, nullptr);
    EXPECT_GT(Snapshot().CountDifferences(before), 0);
}

TEST_F(ViewGeometry, ScreenMappingOfA400By300ClientArea)
{
    SetClientSize(400, 300);
    CDC dc;
    View()->OnPrepareDC(&dc, nullptr);
    EXPECT_EQ(dc.GetMapping().GetMapMode(), MM_ISOTROPIC);
    EXPECT_EQ(dc.GetMapping().GetViewportExt(), CSize(384, 284));
    EXPECT_EQ(dc.GetMapping().GetViewportOrg(), CPoint(192, 142));
    CPoint far(12500, 12500);
    dc.LPtoDP(&far);
    EXPECT_EQ(far, CPoint(192 + 284, 142 + 284));
    CPoint back(192 + 284, 142);
    View()->DeviceToMap(back);
    EXPECT_EQ(back, CPoint(12500, 0));
}

TEST_F(ViewGeometry, TinyClientAreasStillMap)
{
    SetScrollBarMetricForTesting(5000);  // a client area smaller than the metric
    CDC dc;
    View()->OnPrepareDC(&dc, nullptr);
    EXPECT_EQ(dc.GetMapping().GetViewportExt(), CSize(1, 1));
    CPoint p(0, 0);
    View()->DeviceToMap(p);
    Snapshot();
}

TEST_F(ViewGeometry, ScrollBarsHideWithoutPlanetsAndZoomIsKeptAcrossFiles)
{
    EXPECT_TRUE(View()->IsScrollBarVisible(SB_HORZ));
    View()->OnZoomIn();
    View()->m_center = CPoint(500, 500);
    View()->m_showCircles = TRUE;
    std::string empty = m_dir.Write("empty.dat", "; nothing here\n");
    ASSERT_NE(m_app->OpenDocumentFile(empty), nullptr);
    EXPECT_FALSE(View()->IsScrollBarVisible(SB_HORZ));
    EXPECT_FALSE(View()->IsScrollBarVisible(SB_VERT));
    EXPECT_EQ(View()->m_zoom, CSize(6250, 6250));
    EXPECT_EQ(View()->m_center, CPoint(500, 500));
    EXPECT_TRUE(View()->m_showCircles);
}

TEST_F(ViewGeometry, ClickOnAScrollBarArrowStepsOnceAndRepaintsAtTheEnd)
{
    QScrollBar* bar = View()->Impl()->bars[0];
    ASSERT_NE(bar, nullptr);
    CImage before = Snapshot();
    QPoint rightArrow(bar->width() - 4, bar->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, rightArrow, bar->mapToGlobal(rightArrow), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    EXPECT_EQ(View()->m_center.x, 125);
    EXPECT_EQ(bar->value(), 1) << "the view, not Qt, set the thumb";
    QMouseEvent release(QEvent::MouseButtonRelease, rightArrow, bar->mapToGlobal(rightArrow), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    EXPECT_EQ(Snapshot().CountDifferences(before), 0) << "the end of the scroll comes after the release";
    QApplication::processEvents();
    EXPECT_GT(Snapshot().CountDifferences(before), 0);
    EXPECT_EQ(View()->m_center.x, 125);
}
