// SPDX-License-Identifier: MIT
// The tip that names the planets under the pointer: its text, where it
// holds, when it stays away, and that it leaves the view's picture alone.

#include "GuiFixture.h"

#include "view/PlanetHover.h"

#include "platform/framework/PointerTip.h"
#include "platform/surface/Image.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

const char* const kMorvathLine = "Morvath \u2014 Orvessa (KOR) \u2014 30, -40 \u2014 25.0 light years from the origin";

class Hover : public GuiTest {
protected:
    void Open(const std::string& text)
    {
        ASSERT_TRUE(Start({m_dir.Write("m.dat", text)}));
    }
    // Where the view draws a map point, in client pixels.
    CPoint PixelOf(CPoint map)
    {
        CRect client;
        View()->GetClientRect(&client);
        CMapViewport viewport(View()->m_zoom, View()->m_center, CSize(client.Width(), client.Height()),
                              CSize(16, 16));
        return viewport.ScreenMapping().LPtoDP(map);
    }
    std::string TipAt(CPoint client)
    {
        Move(client);
        return GetPointerTip(*View());
    }
    // What the toolkit sends once the pointer has rested.
    void Rest(CPoint client)
    {
        QPoint local(client.x, client.y);
        QHelpEvent help(QEvent::ToolTip, local, Canvas()->mapToGlobal(local));
        QApplication::sendEvent(Canvas(), &help);
    }
};

} // namespace

TEST_F(Hover, RestingOnAPlanetNamesItsFactionPositionAndDistance)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}, {"Tessaly", -125, 7, "QQ"}, {"Brin", 0, 0, "F"}}));
    EXPECT_EQ(TipAt(PixelOf({300, 400})), kMorvathLine);
    EXPECT_EQ(TipAt(PixelOf({-1250, -70})),
              "Tessaly \u2014 QQ \u2014 -125, 7 \u2014 62.5 light years from the origin")
        << "a code without a legend row stands alone; 62.59 light years are cut to 62.5";
    EXPECT_EQ(TipAt(PixelOf({0, 0})), "Brin \u2014 Feldrane Planet (F) \u2014 0, 0 \u2014 0.0 light years from the origin");
    Rest(PixelOf({0, 0}));
    EXPECT_TRUE(IsPointerTipShown(*View()));
    EXPECT_NE(QToolTip::text().indexOf(QStringLiteral("Feldrane Planet (F)")), -1);
}

TEST_F(Hover, TheTipHoldsWithinFourPixelsOfTheDotOrCircleAtEveryZoomAndAfterScrolling)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}, {"Far", 600, 600, "KUL"}}));
    auto check = [this](int circlePixels, const char* when) {
        CPoint p = PixelOf({300, 400});
        EXPECT_EQ(TipAt({p.x + circlePixels + 4, p.y}), kMorvathLine) << when;
        EXPECT_EQ(TipAt({p.x, p.y - circlePixels - 4}), kMorvathLine) << when;
        EXPECT_EQ(TipAt({p.x + circlePixels + 6, p.y}), "") << when;
        const int side = circlePixels == 0 ? 2 : 3;  // off the diagonal, inside by a rounded pixel
        EXPECT_EQ(TipAt({p.x - side, p.y - circlePixels - side}), kMorvathLine) << when;
    };
    check(0, "full extent: a dot");
    View()->m_zoom = CSize(584, 584);  // one map unit to a pixel: a circle of radius 5
    View()->m_center = CPoint(250, 350);
    check(5, "one unit to a pixel");
    View()->m_zoom = CSize(146, 146);  // four pixels to a unit: radius 20
    check(20, "four pixels to a unit");
    View()->OnHScroll(SB_LINEDOWN, 0, nullptr);
    View()->OnVScroll(SB_LINEUP, 0, nullptr);
    check(20, "after scrolling");
}

TEST_F(Hover, NoTipOnEmptySpaceDuringADragOrWithoutPlanets)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}}));
    CPoint on = PixelOf({300, 400});
    EXPECT_EQ(TipAt({on.x + 40, on.y}), "");
    for (int button : {MK_LBUTTON, MK_RBUTTON}) {
        Press(button, {on.x - 30, on.y - 30});
        EXPECT_EQ(TipAt(on), "") << "a drag passing over a planet";
        Move({on.x - 30, on.y - 30});  // back to the start: the release zooms and measures nothing
        Release(button, {on.x - 30, on.y - 30});
    }
    EXPECT_EQ(TipAt(on), kMorvathLine);
    Press(MK_LBUTTON, on);
    EXPECT_EQ(GetPointerTip(*View()), "") << "a button press takes it away";
    Release(MK_LBUTTON, on);
    Exit();
    Open("");
    EXPECT_EQ(TipAt(PixelOf({0, 0})), "");
}

TEST_F(Hover, SeveralPlanetsListTheNearestFiveAndCountTheRest)
{
    // Eight planets around one point, a unit apart on the file's scale:
    // all within four pixels at the full extent.
    Open(MapText({{"E", 3, 0, "KOR"}, {"A", 0, 0, "KOR"}, {"B", 1, 0, "KOR"}, {"C", 0, 1, "KOR"},
                  {"D", 2, 0, "KOR"}, {"F", 4, 0, "KOR"}, {"G", 5, 0, "KOR"}, {"H", 0, 0, "KOR"}}));
    std::string tip = TipAt(PixelOf({0, 0}));
    std::vector<std::string> names;
    for (std::size_t start = 0; start < tip.size();) {
        std::size_t end = tip.find('\n', start);
        std::string line = tip.substr(start, end == std::string::npos ? std::string::npos : end - start);
        names.push_back(line.substr(0, line.find(' ')));
        start = end == std::string::npos ? tip.size() : end + 1;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "H", "B", "C", "D", "and"}))
        << "nearest first, equal distances in file order:\n" << tip;
    EXPECT_NE(tip.find("\nand 3 more"), std::string::npos) << tip;
}

TEST_F(Hover, ShowingAndHidingTheTipLeavesThePictureAlone)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}, {"<b>Vel</b>", -30, 40, "KUL"}}));
    CImage before = Snapshot();
    CPoint on = PixelOf({300, 400});
    Move(on);
    Rest(on);
    ASSERT_TRUE(IsPointerTipShown(*View()));
    QApplication::processEvents();
    EXPECT_EQ(Snapshot().CountDifferences(before), 0);
    Move({on.x + 50, on.y});
    EXPECT_FALSE(IsPointerTipShown(*View())) << "the pointer left the planet";
    EXPECT_EQ(Snapshot().CountDifferences(before), 0);
    CPoint vel = PixelOf({-300, -400});
    Move(vel);
    Rest(vel);
    EXPECT_NE(QToolTip::text().indexOf(QStringLiteral("&lt;b&gt;Vel&lt;/b&gt;")), -1)
        << "a name is shown as written, never as markup";
}

TEST_F(Hover, AnyCommandTakesTheTipAway)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}}));
    CPoint on = PixelOf({300, 400});
    Move(on);
    Rest(on);
    ASSERT_TRUE(IsPointerTipShown(*View()));
    Frame()->SendCommand(ID_VIEW_LEGEND);
    EXPECT_FALSE(IsPointerTipShown(*View()));
    EXPECT_EQ(GetPointerTip(*View()), "");
    Rest(on);
    EXPECT_FALSE(IsPointerTipShown(*View())) << "no stale tip once the pointer rests again";
}

// The tip asks an index of one map: once another file is open it names
// that file's planets, and nothing where only the old map had one; a file
// that cannot be opened leaves the open map named; a new map has none.
TEST_F(Hover, AfterAnotherFileOpensTheTipNamesTheNewFilesPlanets)
{
    Open(MapText({{"Morvath", 30, -40, "KOR"}}));
    const CPoint morvath = PixelOf({300, 400}), tessaly = PixelOf({-1250, -70});
    ASSERT_EQ(TipAt(morvath), kMorvathLine);
    const std::string tessalyLine = "Tessaly \u2014 QQ \u2014 -125, 7 \u2014 62.5 light years from the origin";
    const std::string other = m_dir.Write("other.dat", MapText({{"Brin", 0, 0, "F"}, {"Tessaly", -125, 7, "QQ"}}));
    ASSERT_NE(m_app->OpenDocumentFile(other), nullptr);
    EXPECT_EQ(TipAt(morvath), "") << "the old map's planet is gone";
    EXPECT_EQ(TipAt(tessaly), tessalyLine);
    m_app->OpenDocumentFile((m_dir.Path() / "missing.dat").string());
    EXPECT_EQ(TipAt(tessaly), tessalyLine) << "a refused open keeps the map";
    EXPECT_EQ(TipAt(morvath), "");
    m_app->OpenDocumentFile(m_dir.Write("stops.dat", "Vel 30 -40 KUL\nbroken\n"));
    EXPECT_EQ(TipAt(morvath), "Vel \u2014 Ulmarch (KUL) \u2014 30, -40 \u2014 25.0 light years from the origin")
        << "the planets above a bad line are the map";
    EXPECT_EQ(TipAt(tessaly), "");
    Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_EQ(TipAt(morvath), "");
}
