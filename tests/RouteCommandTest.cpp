// SPDX-License-Identifier: MIT
// kestrin-render --route on small maps whose answers can be worked out by
// hand. Coordinates in a file are tenths of map units' scale: x in the
// file is 10 map units, and 20 map units make a light year, so two file
// units are one light year.

#include "tools/Renderer.h"
#include "tools/RouteSketch.h"

#include "model/map/StarMap.h"
#include "model/find/PlanetIndex.h"
#include "model/route/RouteFinder.h"
#include "view/MapViewport.h"

#include "platform/surface/Image.h"

#include "RecordingDC.h"
#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

class RouteCommand : public ::testing::Test {
protected:
    int Route(const std::string& map, const std::string& from, const std::string& to, const std::string& jump,
              std::vector<std::string> more = {})
    {
        m_out.str("");
        m_err.str("");
        std::vector<std::string> args = {"--route", from, to, "--jump", jump};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back(map);
        return RenderMain(args, m_out, m_err);
    }
    std::string Out(const std::string& name) const { return (m_dir.Path() / name).string(); }

    TempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace

// From A (0,0) to Z (200,0) with jumps of 60 light years (120 file units):
// the straight road through Q1 and Q2 is the shortest, in three jumps; the
// detour through P takes two.
TEST_F(RouteCommand, FewestJumpsBeforeTheShortestDistance)
{
    std::string map = m_dir.Write("m.dat", "A 0 0 VH\nQ1 67 0 VH\nQ2 133 0 VH\nP 100 60 VH\nZ 200 0 VH\n");
    ASSERT_EQ(Route(map, "A", "Z", "60"), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> P: 58.3 Light Years\nP -> Z: 58.3 Light Years\nTotal: 116.6 Light Years in 2 jumps\n"
                           "Longest jump: 58.3 Light Years (--jump 58.4 or more finds a route)\n");
    // Once the detour is out of reach the straight road is taken.
    ASSERT_EQ(Route(map, "A", "Z", "57"), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> Q1: 33.5 Light Years\nQ1 -> Q2: 33.0 Light Years\nQ2 -> Z: 33.5 Light Years\n"
                           "Total: 100.0 Light Years in 3 jumps\n"
                           "Longest jump: 33.5 Light Years (--jump 33.5 or more finds a route)\n");
}

TEST_F(RouteCommand, TiesGoToTheShorterTotalThenToTheEarlierPlanet)
{
    // P2 lies after P1 in the file but makes the shorter of two two-jump routes.
    std::string shorter = m_dir.Write("shorter.dat", "A 0 0 VH\nP1 100 60 VH\nP2 100 50 VH\nZ 200 0 VH\n");
    ASSERT_EQ(Route(shorter, "A", "Z", "60"), 0);
    EXPECT_NE(m_out.str().find("A -> P2"), std::string::npos) << m_out.str();
    // North and south of the line the two are equal: the first in the file wins.
    std::string equal = m_dir.Write("equal.dat", "A 0 0 VH\nSouth 100 -60 VH\nNorth 100 60 VH\nZ 200 0 VH\n");
    ASSERT_EQ(Route(equal, "A", "Z", "60"), 0);
    EXPECT_NE(m_out.str().find("A -> South"), std::string::npos) << m_out.str();
    std::string swapped = m_dir.Write("swapped.dat", "A 0 0 VH\nNorth 100 60 VH\nSouth 100 -60 VH\nZ 200 0 VH\n");
    ASSERT_EQ(Route(swapped, "A", "Z", "60"), 0);
    EXPECT_NE(m_out.str().find("A -> North"), std::string::npos) << m_out.str();
}

TEST_F(RouteCommand, ARangeExactlyALegLongAndARouteToItself)
{
    std::string map = m_dir.Write("m.dat", "A 0 0 VH\nB 100 0 QT\n");
    ASSERT_EQ(Route(map, "A", "B", "50"), 0);
    EXPECT_EQ(m_out.str(), "A -> B: 50.0 Light Years\nTotal: 50.0 Light Years in 1 jump\n"
                           "Longest jump: 50.0 Light Years (--jump 50.0 or more finds a route)\n");
    EXPECT_EQ(Route(map, "A", "B", "49.999"), 1);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("at most 49.999 light years"), std::string::npos) << m_err.str();
    EXPECT_EQ(Route(map, "A", "B", "49.50"), 1);
    EXPECT_NE(m_err.str().find("at most 49.5 light years"), std::string::npos) << m_err.str();
    EXPECT_EQ(Route(map, "B", "B", "1"), 0);
    EXPECT_EQ(m_out.str(), "Total: 0.0 Light Years in 0 jumps\n");
    // A range that is no number is a usage error.
    for (const char* bad : {"", "-5", "1e3", "5.0001", "ten"})
        EXPECT_EQ(Route(map, "A", "B", bad), 2) << bad;
}

TEST_F(RouteCommand, NoRouteNamesTheNearestReachablePlanet)
{
    std::string map = m_dir.Write("m.dat", "A 0 0 VH\nB 40 0 VH\nFar 400 0 VH\nC -40 0 VH\n");
    EXPECT_EQ(Route(map, "A", "Far", "25", {"-o", Out("r.png")}), 1);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("no route from \"A\" to \"Far\" with jumps of at most 25 light years"),
              std::string::npos) << m_err.str();
    EXPECT_NE(m_err.str().find("is \"B\", 180 Light Years from it; --jump 180.0 finds one\n"), std::string::npos)
        << m_err.str();
    EXPECT_FALSE(std::filesystem::exists(Out("r.png")));
}

// Names are exact; a name that no planet has gets the Center On list's
// first three. A map in Windows-1252 is searched with the typed name
// converted into it.
TEST_F(RouteCommand, UnknownNamesExitTwoWithSuggestions)
{
    std::string map = m_dir.Write("m.dat", "Elmorvath 0 0 VH\nOld Morvath 1 0 VH\nMorvathi 2 0 VH\n"
                                           "Morvath Prime 3 0 VH\nZ\xFCrich 4 0 VH\n");
    EXPECT_EQ(Route(map, "morvath", "Morvathi", "5"), 2);
    EXPECT_NE(m_err.str().find("no planet is named \"morvath\"; did you mean \"Morvathi\", \"Morvath Prime\", "
                               "\"Old Morvath\"?"), std::string::npos) << m_err.str();
    EXPECT_EQ(Route(map, "Morvathi", "Nowhere", "5"), 2);
    EXPECT_NE(m_err.str().find("no planet is named \"Nowhere\"\n"), std::string::npos) << m_err.str();
    ASSERT_EQ(Route(map, "Morvathi", "Z\xC3\xBCrich", "5"), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Morvathi -> Z\xC3\xBCrich: 1.0 Light Years\nTotal: 1.0 Light Years in 1 jump\n"
                           "Longest jump: 1.0 Light Years (--jump 1.0 or more finds a route)\n");
}

// The route picture numbers its stops in order beside their circles and
// labels each leg with its light years clear of the stops' names: every
// pixel of the plain map below the legs (the names) is still there, and
// the labels and numbers are drawn above and beside them.
TEST_F(RouteCommand, ThePictureNumbersTheStopsAndLabelsTheLegsClearOfTheirNames)
{
    // Three stops 3.5 light years apart, their long names far wider than a
    // leg; a leg's label gives its whole light years, as a measure line.
    const std::string map = m_dir.Write("m.dat", "Alpha Station 0 0 VH\nBeta Outpost 7 0 VH\nGamma Reach 14 0 VH\n");
    const std::vector<std::string> view = {"--size", "400x300", "--zoom", "300", "--center", "70,0"};
    std::vector<std::string> route = view;
    route.insert(route.end(), {"-o", Out("route.png")});
    ASSERT_EQ(Route(map, "Alpha Station", "Gamma Reach", "4", route), 0) << m_err.str();
    ASSERT_NE(m_out.str().find("Beta Outpost"), std::string::npos) << "by way of the middle stop";
    std::vector<std::string> plain = view;
    plain.insert(plain.end(), {"-o", Out("plain.png"), map});
    ASSERT_EQ(RenderMain(plain, m_out, m_err), 0) << m_err.str();
    CImage drawn, bare;
    ASSERT_TRUE(drawn.Load(Out("route.png")));
    ASSERT_TRUE(bare.Load(Out("plain.png")));
    // The legs run along the planets' row, y = 0 on the map.
    const CMapViewport viewport(CSize(300, 300), CPoint(70, 0), CSize(400, 300));
    const int row = viewport.ScreenMapping().LPtoDP(CPoint(0, 0)).y;
    long names = 0, added = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool was = bare.GetPixel(x, y) != RGB(0, 0, 0), now = drawn.GetPixel(x, y) != RGB(0, 0, 0);
            if (y > row + 1 && was) {
                ++names;
                EXPECT_EQ(drawn.GetPixel(x, y), bare.GetPixel(x, y)) << x << "," << y << " a name is covered";
            }
            added += now && !was && y != row;
        }
    EXPECT_GT(names, 100);
    EXPECT_GT(added, 100) << "numbers and labels";

    // The numbers in order, each beside its stop; then each leg's label.
    CStarMap loaded;
    ASSERT_TRUE(loaded.LoadDataFile(map.c_str()));
    const CRoute found = FindRoute(loaded, CPlanetIndex(loaded), 0, 2, *CJumpRange::Parse("4"));
    ASSERT_EQ(found.legs.size(), 2u);
    CImage image(400, 300);
    RecordingDC dc;
    dc.AttachImage(image);
    viewport.PrepareScreen(dc);
    DrawRouteSketch(dc, loaded, found, viewport.ScreenMapping(), CSize(400, 300), false);
    std::vector<std::pair<std::string, CPoint>> texts;
    for (const std::string& call : dc.calls)
        if (call.starts_with("TextOut ")) {
            int x = 0, y = 0, n = 0;
            ASSERT_EQ(std::sscanf(call.c_str(), "TextOut %d,%d %n", &x, &y, &n), 2);
            texts.emplace_back(call.substr(std::size_t(n)), CPoint(x, y));
        }
    ASSERT_EQ(texts.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].first, std::to_string(i + 1));
        const CPoint stop = viewport.ScreenMapping().LPtoDP(CPoint(loaded.GetPlanet(std::int16_t(i)).m_x, 0));
        EXPECT_LE(std::abs(texts[i].second.x - stop.x), 24) << texts[i].first;
        EXPECT_LT(texts[i].second.y, row) << "above the names";
    }
    EXPECT_EQ(texts[3].first, "3 Light Years");
    EXPECT_EQ(texts[4].first, "3 Light Years");
}

// Without --zoom and --center the picture is fitted to the route: both
// ends lie inside it, clear of the edges, however far apart they are.
TEST_F(RouteCommand, WithoutAZoomThePictureFitsTheRoute)
{
    std::string map = m_dir.Write("m.dat", "A -3000 3000 VH\nB -1500 1500 VH\nZ 0 0 VH\nFar 3000 -3000 VH\n");
    ASSERT_EQ(Route(map, "A", "Z", "1100", {"--size", "300x300", "-o", Out("fit.png")}), 0) << m_err.str();
    CImage image;
    ASSERT_TRUE(image.Load(Out("fit.png")));
    auto lit = [&image](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (image.GetPixel(x, y) != RGB(0, 0, 0))
                    return true;
        return false;
    };
    // Ends at a twelfth of the side from the corners: a margin of a tenth
    // of the span on each side puts them there.
    EXPECT_TRUE(lit(20, 20, 30, 30)) << "the start, top left";
    EXPECT_TRUE(lit(270, 270, 280, 280)) << "the goal, bottom right";
    // The start's number stands just above it, in the margin's lower half.
    EXPECT_FALSE(lit(0, 0, 300, 6)) << "nothing at the top of the margin";
}

// The figures add up to a tenth, cut as the tooltip cuts them: a leg of
// 463.9 map units is 23.1 light years, and --jump 23.1 does not take it.
// With no route, the range named finds one when it is given back, and a
// tenth less does not.
TEST_F(RouteCommand, FiguresToATenthAndTheRangeNamedFindsTheRoute)
{
    // Legs of 80, 463.9 and 370 map units: 4.0, 23.19 and 18.5 light years.
    std::string map = m_dir.Write("m.dat", "A 0 0 VH\nB 8 0 VH\nC 54 -6 VH\nD 91 -6 VH\n");
    ASSERT_EQ(Route(map, "A", "D", "23.2"), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> B: 4.0 Light Years\nB -> C: 23.1 Light Years\nC -> D: 18.5 Light Years\n"
                           "Total: 45.6 Light Years in 3 jumps\n"
                           "Longest jump: 23.1 Light Years (--jump 23.2 or more finds a route)\n");
    EXPECT_EQ(Route(map, "A", "D", "23.1"), 1);
    EXPECT_EQ(Route(map, "A", "D", "23"), 1);
    const std::string said = m_err.str();
    const std::string lead = "; --jump ";
    ASSERT_NE(said.find(lead), std::string::npos) << said;
    const std::string range = said.substr(said.find(lead) + lead.size(), said.find(" finds one") - said.find(lead) - lead.size());
    EXPECT_EQ(range, "23.2");
    EXPECT_EQ(Route(map, "A", "D", range), 0) << m_err.str();
    // Legs of 1.58 light years show as 1.5, and the total is their sum as
    // shown, 3.0, not the exact 3.16 cut to 3.1.
    std::string fractions = m_dir.Write("f.dat", "A 0 0 VH\nB 1 3 VH\nC 2 6 VH\n");
    ASSERT_EQ(Route(fractions, "A", "C", "1.6"), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> B: 1.5 Light Years\nB -> C: 1.5 Light Years\nTotal: 3.0 Light Years in 2 jumps\n"
                           "Longest jump: 1.5 Light Years (--jump 1.6 or more finds a route)\n");
}

// A name with a byte that Windows-1252 leaves undefined is shown as \x81
// and found when typed that way.
TEST_F(RouteCommand, ANameWithAnUndefinedByteCanBeTypedBack)
{
    std::string map = m_dir.Write("m.dat", "Alpha 0 0 VH\nZ\x81ta 4 0 VH\nCaf\xE9 8 0 VH\n");
    EXPECT_EQ(Route(map, "Alpha", "Z", "5"), 2);
    const std::string said = m_err.str();
    EXPECT_NE(said.find("did you mean \"Z\\x81ta\""), std::string::npos) << said;
    ASSERT_EQ(Route(map, "Alpha", "Z\\x81ta", "5"), 0) << m_err.str();
    EXPECT_EQ(m_out.str().substr(0, 27), "Alpha -> Z\\x81ta: 2.0 Light") << m_out.str();
    ASSERT_EQ(Route(map, "Z\\x81ta", "Caf\xC3\xA9", "5"), 0) << m_err.str();
    EXPECT_EQ(Route(map, "Alpha", "Z\\x82ta", "5"), 2);
}
