// SPDX-License-Identifier: MIT
// kestrin-render --near: the planets within a range of one planet, checked
// against a list made pair by pair on random maps, and as the user reads
// it in each format.

#include "tools/NearCommand.h"
#include "tools/Renderer.h"

#include "model/find/PlanetIndex.h"
#include "model/route/RouteFinder.h"
#include "model/map/StarMap.h"
#include "view/MapViewport.h"

#include "platform/surface/Image.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class NearCommand : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        return RenderMain(args, m_out, m_err);
    }

    TempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

// Every planet but from whose squared distance, in map units, is at most
// the range's: thousandths of a light year, twenty map units each. Sorted
// by distance, then file order.
std::vector<std::int16_t> BruteForce(const CStarMap& map, std::int16_t from, std::uint64_t thousandths)
{
    const CPlanet& a = map.GetPlanet(from);
    std::vector<std::pair<std::int64_t, std::int16_t>> in;
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        const CPlanet& b = map.GetPlanet(i);
        const std::int64_t dx = std::int64_t(b.m_x) - a.m_x, dy = std::int64_t(b.m_y) - a.m_y;
        const std::int64_t squared = dx * dx + dy * dy;
        const std::int64_t reach = std::int64_t(thousandths) * 20;
        if (i != from && squared * 1000000 <= reach * reach)
            in.emplace_back(squared, i);
    }
    std::sort(in.begin(), in.end());
    std::vector<std::int16_t> planets;
    for (const auto& p : in)
        planets.push_back(p.second);
    return planets;
}

} // namespace

// Random maps on a small grid, so that equal distances and shared
// positions are common; the jumps agree with the routes found one by one.
TEST_F(NearCommand, EqualsTheListMadePairByPairOnRandomMaps)
{
    std::mt19937 random(27);
    for (int round = 0; round < 6; ++round) {
        std::uniform_int_distribution<int> coordinate(-40, 40);
        std::string text;
        for (int i = 0; i < 250; ++i)
            text += "P" + std::to_string(i) + " " + std::to_string(coordinate(random)) + " " +
                    std::to_string(coordinate(random)) + " VH\n";
        CStarMap map;
        ASSERT_TRUE(map.LoadDataFile(m_dir.Write("random.dat", text).c_str()));
        for (std::uint64_t thousandths : {1000u, 5000u, 12500u, 20000u}) {
            const std::int16_t from = std::int16_t(random() % 250);
            const CJumpRange range = CJumpRange::FromThousandths(thousandths);
            const CJumpRange jump = CJumpRange::FromThousandths(thousandths / 2);
            std::vector<Neighbour> list = NeighboursOf(map, from, range, jump);
            std::vector<std::int16_t> planets;
            for (const Neighbour& n : list) {
                planets.push_back(n.planet);
                CRoute route = FindRoute(map, CPlanetIndex(map), from, n.planet, jump);
                EXPECT_EQ(n.jumps, route.found ? int(route.legs.size()) : -1) << round << " " << n.planet;
            }
            EXPECT_EQ(planets, BruteForce(map, from, thousandths)) << round << " " << thousandths;
        }
    }
}

// A planet exactly at the range is in, as a jump of that range allows it;
// equal distances come in file order; the planet itself is left out but
// another at its position is not.
TEST_F(NearCommand, TheRangeIsInclusiveAndTiesKeepFileOrder)
{
    const std::string map = m_dir.Write("m.dat", "Hub 0 0 VH\nFar 21 0 QT\nNorth 0 20 KOR\nEast 20 0 QT\n"
                                                 "Twin 0 0 XX\nNear 3 4 VH\nLone 80 80 VH\n");
    ASSERT_EQ(Run({"--near", "Hub", "--within", "10", map}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "Twin: 0 Light Years (0.0), XX at 0, 0\nNear: 2 Light Years (2.5), VH at 3, 4\n"
                           "North: 10 Light Years (10.0), KOR at 0, 20\nEast: 10 Light Years (10.0), QT at 20, 0\n");
    ASSERT_EQ(Run({"--near", "Hub", "--within", "9.999", map}), 0);
    EXPECT_EQ(m_out.str(), "Twin: 0 Light Years (0.0), XX at 0, 0\nNear: 2 Light Years (2.5), VH at 3, 4\n");
    // Jumps as routes count them; Lone is out of reach.
    ASSERT_EQ(Run({"--near", "Hub", "--within", "100", "--jump", "5", map}), 0);
    EXPECT_EQ(m_out.str(), "Twin: 0 Light Years (0.0), XX at 0, 0, 1 jump\nNear: 2 Light Years (2.5), VH at 3, 4, 1 jump\n"
                           "North: 10 Light Years (10.0), KOR at 0, 20, unreachable\n"
                           "East: 10 Light Years (10.0), QT at 20, 0, unreachable\n"
                           "Far: 10 Light Years (10.5), QT at 21, 0, unreachable\n"
                           "Lone: 56 Light Years (56.5), VH at 80, 80, unreachable\n");
}

// CSV and JSON read back by Python's readers, names with commas, quotes
// and letters beyond ASCII intact.
TEST_F(NearCommand, CsvAndJsonCarryTheSameList)
{
    const std::string map = m_dir.Write("m.dat", "Hub 0 0 VH\n\xC3\x86r\xC3\xB8, \"Prime\" 4 0 QT\nA,b 0 6 VH\n");
    ASSERT_EQ(Run({"--near", "Hub", "--within", "5", "--jump", "3", "--format", "csv", map}), 0);
    const std::string csv = m_dir.Write("near.csv", m_out.str());
    ASSERT_EQ(Run({"--near", "Hub", "--within", "5", "--jump", "3", "--format", "json", map}), 0);
    const std::string json = m_dir.Write("near.json", m_out.str());
    const std::string reader =
        "import csv, json, sys\n"
        "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))\n"
        "d = json.load(open(sys.argv[2], encoding='utf-8'))\n"
        "keys = rows[0]\n"
        "assert [[str(p[k]) for k in keys] for p in d['planets']] == rows[1:], (d, rows)\n"
        "print(d['from'], keys)\n"
        "for r in rows[1:]:\n"
        "    print('|'.join(r))\n";
    const fs::path log = m_dir.Path() / "read.log";
    ProcessResult r = RunProcess({"/usr/bin/python3", "-c", reader, csv, json}, {"PYTHONIOENCODING=utf-8"}, 60, log);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 0) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(log), "Hub ['name', 'light_years', 'tenths', 'faction', 'x', 'y', 'jumps']\n"
                                  "Ærø, \"Prime\"|2|2.0|QT|4|0|1\nA,b|3|3.0|VH|0|6|1\n");
}

TEST_F(NearCommand, UnknownNamesAndBadValuesExitTwo)
{
    const std::string map = m_dir.Write("m.dat", "Hub 0 0 VH\nHubble 1 1 VH\n");
    EXPECT_EQ(Run({"--near", "Hu", "--within", "5", map}), 2);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("no planet is named \"Hu\"; did you mean"), std::string::npos) << m_err.str();
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--near", "Hub", "--within", "0", map}, "--within"},
        {{"--near", "Hub", "--within", "-3", map}, "--within"},
        {{"--near", "Hub", "--within", "nan", map}, "--within"},
        {{"--near", "Hub", "--within", "0.000", map}, "--within"},
        {{"--near", "Hub", "--within", "5", "--format", "xml", map}, "--format"},
        {{"--near", "Hub", map}, "--within"},
        {{"--near", "Hub", "--within", "5", "-o", (m_dir.Path() / "n.html").string(), map}, "--near"},
        {{"--near", "Hub", "--within", "5", "--measure", "0,0,9,9", "-o", (m_dir.Path() / "n.png").string(), map},
         "--measure"},
        {{"--near", "Hub", "--within", "5", "--zoom", "300", map}, "--near"},
        {{"--format", "csv", "-o", (m_dir.Path() / "n.png").string(), map}, "--format"},
    };
    for (const auto& [args, option] : bad) {
        EXPECT_EQ(Run(args), 2) << option;
        EXPECT_NE(m_err.str().find(option), std::string::npos) << m_err.str();
        EXPECT_EQ(m_err.str().find('\n'), m_err.str().size() - 1) << m_err.str();
    }
    EXPECT_FALSE(fs::exists(m_dir.Path() / "n.png"));
    EXPECT_FALSE(fs::exists(m_dir.Path() / "n.html"));
}

// With -o, the map centred on the planet with the ring of the range over
// it, fitted into the picture unless --zoom is given: the very picture of
// the map at that view but for the ring's pixels, yellow and all at the
// radius from the centre, or black on a printed page. The list still goes
// to the standard output, unless the picture does.
TEST_F(NearCommand, ThePictureIsTheMapWithTheRingOfTheRange)
{
    const std::string map = m_dir.Write("m.dat", "Hub 10 10 VH\nEast 20 10 QT\nFar 60 10 QT\n");
    ASSERT_EQ(Run({"--near", "Hub", "--within", "10", map}), 0);
    const std::string list = m_out.str();
    const std::string out = (m_dir.Path() / "near.png").string(), plain = (m_dir.Path() / "plain.png").string();
    // The ring of 200 map units with the fitting's margin of 200 each side.
    for (const std::string zoom : {"", "2000"}) {
        std::vector<std::string> near = {"--near", "Hub", "--within", "10", "--size", "300x300", "-o", out, map};
        if (!zoom.empty())
            near.insert(near.begin(), {"--zoom", zoom});
        ASSERT_EQ(Run(near), 0) << m_err.str();
        EXPECT_EQ(m_out.str(), list);
        const int extent = zoom.empty() ? 800 : 2000;
        ASSERT_EQ(Run({"--size", "300x300", "--zoom", std::to_string(extent), "--center", "100,-100", "-o", plain, map}),
                  0);
        const CMapping mapping = CMapViewport(CSize(extent, extent), CPoint(100, -100), CSize(300, 300)).ScreenMapping();
        const CPoint centre = mapping.LPtoDP(CPoint(100, -100));
        const double radius = mapping.LPtoDP(CPoint(300, -100)).x - centre.x;
        CImage ringed, bare;
        ASSERT_TRUE(ringed.Load(out) && bare.Load(plain));
        int changed = 0, top = 300, bottom = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x) {
                if (ringed.GetPixel(x, y) == bare.GetPixel(x, y))
                    continue;
                ++changed;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                EXPECT_EQ(ringed.GetPixel(x, y), RGB(255, 255, 0)) << x << "," << y;
                EXPECT_NEAR(std::hypot(x - centre.x, y - centre.y), radius, 1.5) << x << "," << y;
            }
        EXPECT_GT(changed, 4 * radius) << zoom;
        EXPECT_LE(bottom - top, 2 * radius + 1) << zoom;
        EXPECT_GE(bottom - top, 2 * radius - 2) << zoom;
    }
    // The printed page: the ring in black, nothing else changed.
    ASSERT_EQ(Run({"--near", "Hub", "--within", "10", "--print", "--dpi", "30", "-o", out, map}), 0) << m_err.str();
    ASSERT_EQ(Run({"--print", "--dpi", "30", "--zoom", "800", "--center", "100,-100", "-o", plain, map}), 0);
    CImage ringed, bare;
    ASSERT_TRUE(ringed.Load(out) && bare.Load(plain));
    int changed = 0;
    for (int y = 0; y < ringed.Height(); ++y)
        for (int x = 0; x < ringed.Width(); ++x)
            if (ringed.GetPixel(x, y) != bare.GetPixel(x, y)) {
                ++changed;
                EXPECT_EQ(ringed.GetPixel(x, y), RGB(0, 0, 0)) << x << "," << y;
            }
    EXPECT_GT(changed, 100);
    // On the standard output the picture is all there is.
    ASSERT_EQ(Run({"--near", "Hub", "--within", "10", "--print", "--dpi", "30", "-o", "-", map}), 0);
    EXPECT_EQ(m_out.str(), ReadWholeFile(out));
}
