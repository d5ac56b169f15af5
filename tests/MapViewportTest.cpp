// SPDX-License-Identifier: MIT
// The map viewport's arithmetic, one row per case: an output size, a zoom
// and a centre in, the mapping, the conversions, the scroll bars and the
// zoom steps out. No window is involved; the view's own tests check that
// the window hands its client area and metrics to the same rules.

#include "view/MapViewport.h"

#include "platform/surface/DC.h"
#include "platform/surface/Image.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr int kFull = CMapViewport::kFullExtent;
constexpr CSize kNoBars{0, 0};
constexpr CSize kBars16{16, 16};

using Axis = CMapViewport::Axis;

struct ScreenCase {
    const char* name;
    CSize zoom;
    CPoint centre;
    CSize output;
    CSize bars;
    CSize viewportExt;
    CPoint viewportOrg;
    CPoint mapPoint;     // where this map point ...
    CPoint devicePoint;  // ... lands on the output
};

const ScreenCase kScreenCases[] = {
    {"400x300 less bars of 16", {kFull, kFull}, {0, 0}, {400, 300}, kBars16, {384, 284}, {192, 142}, {kFull, kFull},
     {192 + 284, 142 + 284}},
    {"800x600 without bars: 600/12500 on both axes", {kFull, kFull}, {0, 0}, {800, 600}, kNoBars, {800, 600},
     {400, 300}, {kFull, 0}, {1000, 300}},
    {"odd sizes halve with the remainder dropped", {kFull, kFull}, {0, 0}, {401, 301}, kNoBars, {401, 301},
     {200, 150}, {0, 0}, {200, 150}},
    {"the centre lands on the middle", {6250, 6250}, {1000, -500}, {400, 400}, kNoBars, {400, 400}, {200, 200},
     {1000 + 3125, -500}, {400, 200}},
    {"unequal zoom takes the smaller scale", {3125, 2083}, {0, 0}, {800, 600}, kNoBars, {800, 600}, {400, 300},
     {0, 1000}, {400, 556}},
    {"an output smaller than the bars maps onto one pixel", {kFull, kFull}, {0, 0}, {10, 10}, {5000, 5000}, {1, 1},
     {0, 0}, {0, 0}, {0, 0}},
    {"no output at all (a page-only viewport)", {kFull, kFull}, {0, 0}, {0, 0}, kNoBars, {1, 1}, {0, 0}, {0, 0},
     {0, 0}},
};

TEST(MapViewport, ScreenMappingFitsTheZoomIntoTheOutputLessTheBars)
{
    for (const ScreenCase& c : kScreenCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, c.centre, c.output, c.bars);
        const CMapping& m = v.ScreenMapping();
        EXPECT_EQ(m.GetMapMode(), MM_ISOTROPIC);
        EXPECT_EQ(m.GetWindowExt(), c.zoom);
        EXPECT_EQ(m.GetWindowOrg(), c.centre);
        EXPECT_EQ(m.GetViewportExt(), c.viewportExt);
        EXPECT_EQ(m.GetViewportOrg(), c.viewportOrg);
        EXPECT_EQ(m.LPtoDP(c.mapPoint), c.devicePoint);
    }
}

struct DeviceCase {
    const char* name;
    CSize zoom;
    CPoint centre;
    CSize output;
    CSize bars;
    CPoint device;
    CPoint map;
};

const DeviceCase kDeviceCases[] = {
    {"the right edge of the 400x300 area", {kFull, kFull}, {0, 0}, {400, 300}, kBars16, {192 + 284, 142}, {kFull, 0}},
    {"the middle is the centre", {kFull, kFull}, {70, -30}, {800, 600}, kNoBars, {400, 300}, {70, -30}},
    {"one pixel is 20.83 map units, rounded", {kFull, kFull}, {0, 0}, {800, 600}, kNoBars, {401, 299}, {21, -21}},
    {"the top-left corner of an offset view", {6250, 6250}, {1000, -500}, {400, 400}, kNoBars, {0, 0},
     {1000 - 3125, -500 - 3125}},
    {"outside the output still converts", {kFull, kFull}, {0, 0}, {800, 600}, kNoBars, {-200, 900}, {-12500, 12500}},
};

TEST(MapViewport, DeviceToMapInvertsTheScreenMapping)
{
    for (const DeviceCase& c : kDeviceCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, c.centre, c.output, c.bars);
        EXPECT_EQ(v.DeviceToMap(c.device), c.map);
    }
}

struct LightYearCase {
    const char* name;
    CSize zoom;
    CSize output;
    CPoint a;
    CPoint b;
    int lightYears;
};

// With the zoom equal to the output, one pixel is one map unit.
const LightYearCase kLightYearCases[] = {
    {"600 units are 30 light years", {600, 600}, {600, 600}, {0, 0}, {600, 0}, 30},
    {"619 units are still 30", {600, 600}, {600, 600}, {0, 0}, {619, 0}, 30},
    {"620 units are 31", {600, 600}, {600, 600}, {0, 0}, {620, 0}, 31},
    {"a 360-480-600 triangle", {600, 600}, {600, 600}, {0, 0}, {360, 480}, 30},
    {"the same point is none", {600, 600}, {600, 600}, {17, 4}, {17, 4}, 0},
    {"29 pixels at the full extent are 604 units", {kFull, kFull}, {800, 600}, {400, 300}, {429, 300}, 30},
    {"30 pixels at the full extent are 625 units", {kFull, kFull}, {800, 600}, {400, 300}, {430, 300}, 31},
    {"across an output one pixel wide", {kFull, kFull}, {1, 1}, {0, 0}, {1, 1}, 883},
};

TEST(MapViewport, LightYearsBetweenClientPointsAreWholeAndTruncated)
{
    for (const LightYearCase& c : kLightYearCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, CPoint(0, 0), c.output);
        EXPECT_EQ(v.LightYearsBetween(c.a, c.b), c.lightYears);
        EXPECT_EQ(v.LightYearsBetween(c.b, c.a), c.lightYears);
    }
}

struct ScrollBarCase {
    const char* name;
    CSize zoom;
    CPoint centre;
    int limitX, limitY;  // each bar runs from -limit to limit
    int thumbX, thumbY;
};

const ScrollBarCase kScrollBarCases[] = {
    {"full extent", {kFull, kFull}, {0, 0}, 99, 99, 0, 0},
    {"6250", {6250, 6250}, {0, 0}, 199, 199, 0, 0},
    {"1562", {1562, 1562}, {0, 0}, 799, 799, 0, 0},
    {"390 does not divide 12500: 32 with the remainder dropped", {390, 390}, {0, 0}, 3199, 3199, 0, 0},
    {"the smallest extent", {1, 1}, {0, 0}, 1249999, 1249999, 0, 0},
    {"unequal zoom: each bar its own", {3125, 2083}, {0, 0}, 399, 599, 0, 0},
    {"the thumb is the exact inverse, truncated toward zero", {kFull, kFull}, {130, -260}, 99, 99, 1, -2},
    {"a centre between positions", {1562, 1562}, {31, -31}, 799, 799, 1, -1},
    {"a centre far outside the range", {1, 1}, {2000000000, -2000000000}, 1249999, 1249999, 2147483647,
     -2147483647 - 1},
};

TEST(MapViewport, ScrollRangesAndThumbsFollowTheZoomAndCentre)
{
    for (const ScrollBarCase& c : kScrollBarCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, c.centre);
        EXPECT_EQ(v.ScrollLimit(Axis::Horizontal), c.limitX);
        EXPECT_EQ(v.ScrollLimit(Axis::Vertical), c.limitY);
        EXPECT_EQ(v.ThumbPosition(Axis::Horizontal), c.thumbX);
        EXPECT_EQ(v.ThumbPosition(Axis::Vertical), c.thumbY);
    }
}

struct ScrollToCase {
    const char* name;
    CSize zoom;
    Axis axis;
    long long position;
    int centre;  // on that axis; the other stays at 7
};

const ScrollToCase kScrollToCases[] = {
    {"a line step at the full extent", {kFull, kFull}, Axis::Horizontal, 1, 125},
    {"a page step beyond the range", {kFull, kFull}, Axis::Horizontal, 101, 12625},
    {"thumb position -40", {kFull, kFull}, Axis::Vertical, -40, -5000},
    {"first line step at 1562", {1562, 1562}, Axis::Horizontal, 1, 15},
    {"second line step at 1562", {1562, 1562}, Axis::Horizontal, 2, 31},
    {"negative positions truncate toward zero", {1562, 1562}, Axis::Vertical, -1, -15},
    {"each bar scrolls by its own extent", {3125, 2083}, Axis::Vertical, 3, 62},
    {"a position beyond 32 bits of centre clamps", {kFull, kFull}, Axis::Horizontal, 4000000000LL, 2147483647},
};

TEST(MapViewport, AScrollPositionStandsForHundredthsOfTheExtent)
{
    for (const ScrollToCase& c : kScrollToCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, CPoint(7, 7));
        v.ScrollTo(c.axis, c.position);
        CPoint expected = c.axis == Axis::Horizontal ? CPoint(c.centre, 7) : CPoint(7, c.centre);
        EXPECT_EQ(v.GetCenter(), expected);
        EXPECT_EQ(v.GetZoom(), c.zoom);
        EXPECT_EQ(v.DeviceToMap(CPoint(0, 0)), expected) << "the mapping follows the centre";
    }
}

enum class Step { In, Out, Extents };

struct ZoomCase {
    const char* name;
    CSize zoom;
    Step step;
    int times;
    CSize zoomAfter;
    CPoint centreAfter;  // from (70, -30)
};

const ZoomCase kZoomCases[] = {
    {"in once", {kFull, kFull}, Step::In, 1, {6250, 6250}, {70, -30}},
    {"in 3 times", {kFull, kFull}, Step::In, 3, {1562, 1562}, {70, -30}},
    {"in 5 times", {kFull, kFull}, Step::In, 5, {390, 390}, {70, -30}},
    {"in 8 times", {kFull, kFull}, Step::In, 8, {48, 48}, {70, -30}},
    {"in 13 times reaches 1", {kFull, kFull}, Step::In, 13, {1, 1}, {70, -30}},
    {"in 14 times stays at 1", {kFull, kFull}, Step::In, 14, {1, 1}, {70, -30}},
    {"in halves each component on its own", {3125, 2083}, Step::In, 1, {1562, 1041}, {70, -30}},
    {"out from 1562 does not retrace the halving", {1562, 1562}, Step::Out, 1, {3124, 3124}, {70, -30}},
    {"out from 1562 three times", {1562, 1562}, Step::Out, 3, {12496, 12496}, {70, -30}},
    {"out from 1562 four times stops at the full extent", {1562, 1562}, Step::Out, 4, {kFull, kFull}, {70, -30}},
    {"out at the full extent keeps the centre", {kFull, kFull}, Step::Out, 1, {kFull, kFull}, {70, -30}},
    {"out doubles each component on its own", {3125, 2083}, Step::Out, 1, {6250, 4166}, {70, -30}},
    {"out brings unequal components to the full extent", {3125, 2083}, Step::Out, 3, {kFull, kFull}, {70, -30}},
    {"extents", {390, 97}, Step::Extents, 1, {kFull, kFull}, {0, 0}},
    {"a zoom of 0 is taken as 1", {0, 0}, Step::In, 1, {1, 1}, {70, -30}},
};

TEST(MapViewport, ZoomStepsHalveDoubleAndReset)
{
    for (const ZoomCase& c : kZoomCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, CPoint(70, -30), CSize(800, 600));
        for (int i = 0; i < c.times; ++i) {
            switch (c.step) {
            case Step::In: v.ZoomIn(); break;
            case Step::Out: v.ZoomOut(); break;
            case Step::Extents: v.ZoomExtents(); break;
            }
        }
        EXPECT_EQ(v.GetZoom(), c.zoomAfter);
        EXPECT_EQ(v.GetCenter(), c.centreAfter);
        EXPECT_EQ(v.ScreenMapping().GetWindowExt(), c.zoomAfter) << "the mapping follows the zoom";
    }
}

struct BoxCase {
    const char* name;
    CSize zoom;
    CSize output;
    CSize bars;
    CRect box;
    CSize zoomAfter;
    CPoint centreAfter;  // from (0, 0)
};

const BoxCase kBoxCases[] = {
    {"200x100 in 800x600 divides by 4 and 6", {kFull, kFull}, {800, 600}, kNoBars, {300, 250, 500, 350},
     {3125, 2083}, {0, 0}},
    {"the middle goes through the mapping with the bars", {kFull, kFull}, {800, 600}, kBars16, {300, 250, 500, 350},
     {3125, 2083}, {171, 171}},
    {"wider than half the output keeps the width", {kFull, kFull}, {800, 600}, kNoBars, {100, 250, 600, 350},
     {kFull, 2083}, {-1042, 0}},
    {"larger than the output divides by one", {kFull, kFull}, {800, 600}, kNoBars, {-50, -50, 850, 650},
     {kFull, kFull}, {0, 0}},
    {"a tiny box stops at the smallest extent", {2, 2}, {800, 600}, kNoBars, {400, 300, 401, 301}, {1, 1}, {0, 0}},
    {"an odd box: halves dropped", {kFull, kFull}, {800, 600}, kNoBars, {400, 300, 403, 305}, {46, 104}, {21, 42}},
    {"no width: nothing changes", {kFull, kFull}, {800, 600}, kNoBars, {300, 250, 300, 350}, {kFull, kFull}, {0, 0}},
    {"no height: nothing changes", {kFull, kFull}, {800, 600}, kNoBars, {300, 250, 500, 250}, {kFull, kFull}, {0, 0}},
};

TEST(MapViewport, ZoomToABoxCentresOnItAndDividesEachAxisOnItsOwn)
{
    for (const BoxCase& c : kBoxCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v(c.zoom, CPoint(0, 0), c.output, c.bars);
        v.ZoomToBox(c.box);
        EXPECT_EQ(v.GetZoom(), c.zoomAfter);
        EXPECT_EQ(v.GetCenter(), c.centreAfter);
    }
}

struct FitCase {
    const char* name;
    CPoint low, high;
    CSize zoom;
    CPoint centre;
};

const FitCase kFitCases[] = {
    {"one point: the least margin on every side", {100, -40}, {100, -40}, {400, 400}, {100, -40}},
    {"corners in any order", {3000, 0}, {-3000, -1000}, {6000 + 1200, 1000 + 1200}, {0, -500}},
    {"small spans keep the least margin", {0, 0}, {500, 100}, {900, 500}, {250, 50}},
    {"the whole 32-bit plane: extents stop at the largest int", {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX},
     {INT_MAX, INT_MAX}, {0, 0}},
};

} // namespace

// The zoom and centre that fit a box with a margin, and where its corners
// then land: inside the output, a margin's share from its edges.
TEST(MapViewport, FittingABoxShowsItWithAMargin)
{
    for (const FitCase& c : kFitCases) {
        SCOPED_TRACE(c.name);
        CMapViewport v = CMapViewport::Fitting(c.low, c.high, CSize(600, 400));
        EXPECT_EQ(v.GetZoom(), c.zoom);
        EXPECT_EQ(v.GetCenter(), c.centre);
    }
    CMapViewport v = CMapViewport::Fitting(CPoint(-3000, 0), CPoint(3000, -1000), CSize(600, 400));
    CPoint left = v.ScreenMapping().LPtoDP(CPoint(-3000, 0));
    CPoint right = v.ScreenMapping().LPtoDP(CPoint(3000, -1000));
    // 7200 map units across 600 pixels: the margin of 600 units is 50 pixels.
    EXPECT_EQ(left.x, 50);
    EXPECT_EQ(right.x, 550);
    EXPECT_GT(left.y, 0);
    EXPECT_LT(right.y, 400);
}

namespace {

struct PageCase {
    const char* name;
    int dpiX, dpiY;
    CSize viewportExt;
    CPoint viewportOrg;
};

const PageCase kPageCases[] = {
    {"600 dpi: 4800 x 6000 dots", 600, 600, {4800, 6000}, {2400, 3000}},
    {"100 dpi", 100, 100, {800, 1000}, {400, 500}},
    {"unequal resolutions", 72, 144, {576, 1440}, {288, 720}},
    {"one dot per inch", 1, 1, {8, 10}, {4, 5}},
};

TEST(MapViewport, PageMappingIsEightByTenInchesAtTheDevicesResolution)
{
    for (const PageCase& c : kPageCases) {
        SCOPED_TRACE(c.name);
        // The output and bars of the screen play no part on paper.
        CMapViewport v(CSize(6250, 6250), CPoint(100, -100), CSize(37, 41), kBars16);
        CMapping m = v.PageMapping(c.dpiX, c.dpiY);
        EXPECT_EQ(m.GetMapMode(), MM_ISOTROPIC);
        EXPECT_EQ(m.GetWindowExt(), CSize(6250, 6250));
        EXPECT_EQ(m.GetWindowOrg(), CPoint(100, -100));
        EXPECT_EQ(m.GetViewportExt(), c.viewportExt);
        EXPECT_EQ(m.GetViewportOrg(), c.viewportOrg);

        CImage page(1, 1);
        page.SetDpi(c.dpiX, c.dpiY);
        CDC dc;
        dc.AttachImage(page);
        v.PreparePage(dc);
        EXPECT_EQ(dc.GetMapping().GetViewportExt(), c.viewportExt) << "PreparePage reads the device's resolution";
    }
}

// Records the order of the mapping calls a surface receives.
class MappingCalls : public CDC {
public:
    std::vector<std::string> calls;
    int SetMapMode(int mode) override
    {
        calls.push_back("mode");
        return CDC::SetMapMode(mode);
    }
    CSize SetWindowExt(int cx, int cy) override
    {
        calls.push_back("window extents");
        return CDC::SetWindowExt(cx, cy);
    }
    CSize SetViewportExt(int cx, int cy) override
    {
        calls.push_back("viewport extents");
        return CDC::SetViewportExt(cx, cy);
    }
    CPoint SetWindowOrg(int x, int y) override
    {
        calls.push_back("window origin");
        return CDC::SetWindowOrg(x, y);
    }
    CPoint SetViewportOrg(int x, int y) override
    {
        calls.push_back("viewport origin");
        return CDC::SetViewportOrg(x, y);
    }
};

TEST(MapViewport, PreparingASurfaceSetsWindowExtentsBeforeViewportExtents)
{
    CMapViewport v(CSize(3125, 2083), CPoint(-40, 90), CSize(640, 480), kBars16);
    MappingCalls dc;
    v.PrepareScreen(dc);
    const std::vector<std::string> order = {"mode", "window extents", "viewport extents", "window origin",
                                            "viewport origin"};
    EXPECT_EQ(dc.calls, order);
    const CMapping& want = v.ScreenMapping();
    for (CPoint p : {CPoint(0, 0), CPoint(-40, 90), CPoint(5000, -7000)})
        EXPECT_EQ(dc.GetMapping().LPtoDP(p), want.LPtoDP(p));
}

} // namespace

// The scroll bars' reach: the last thumb at the full extent puts the
// centre at 12375, and the shorter side shows 6250 on either side of it.
// No smaller zoom reaches farther by scrolling.
TEST(MapViewport, TheScrollBarsReachIsTheFarthestAnyZoomShows)
{
    EXPECT_EQ(CMapViewport::ScrollReach(), 12375 + kFull / 2);
    for (int zoom : {1, 2, 99, 100, 101, 1562, 3125, 6250, 9999, kFull}) {
        CMapViewport v({zoom, zoom}, {0, 0});
        v.ScrollTo(Axis::Horizontal, v.ScrollLimit(Axis::Horizontal));
        EXPECT_LE(v.GetCenter().x + zoom / 2, CMapViewport::ScrollReach()) << zoom;
        v.ScrollTo(Axis::Vertical, -v.ScrollLimit(Axis::Vertical));
        EXPECT_GE(v.GetCenter().y - zoom / 2, -CMapViewport::ScrollReach()) << zoom;
    }
}
