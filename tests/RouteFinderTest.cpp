// SPDX-License-Identifier: MIT
#include "model/find/PlanetIndex.h"
#include "model/route/detail/Detour.h"
#include "model/map/LightYears.h"
#include "model/route/RouteFinder.h"

#include "LoadedMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

// In the maps below one file unit is 10 map units, so 2 file units make a
// light year and a range of 10 light years reaches 20 file units.

namespace {

std::vector<std::string> Stops(const CStarMap& map, const CRoute& route)
{
    std::vector<std::string> stops;
    for (const CRouteLeg& leg : route.legs) {
        if (stops.empty())
            stops.push_back(map.GetPlanet(leg.from).m_strName);
        stops.push_back(map.GetPlanet(leg.to).m_strName);
    }
    return stops;
}

CRoute Route(const CStarMap& map, const char* from, const char* to, const char* range)
{
    return FindRoute(map, CPlanetIndex(map), map.FindPlanetIndex(from), map.FindPlanetIndex(to),
                     *CJumpRange::Parse(range));
}

using Names = std::vector<std::string>;

} // namespace

TEST(JumpRange, WholeAndFractionalRangesAreExactAtTheirEdge)
{
    EXPECT_TRUE(CJumpRange::FromLightYears(10).Allows({0, 0}, {200, 0}));
    EXPECT_FALSE(CJumpRange::FromLightYears(10).Allows({0, 0}, {201, 0}));
    EXPECT_TRUE(CJumpRange::Parse("12.5")->Allows({0, 0}, {150, -200}));  // 250 map units
    EXPECT_FALSE(CJumpRange::Parse("12.499")->Allows({0, 0}, {150, -200}));
    EXPECT_TRUE(CJumpRange::Parse("1.03")->Allows({0, 0}, {20, 3}));        // 20.22 of 20.6
    EXPECT_TRUE(CJumpRange::Parse("0")->Allows({5, 5}, {5, 5}));
    EXPECT_EQ(CJumpRange::Parse("7.")->Thousandths(), 7000u);
    EXPECT_EQ(CJumpRange::Parse(".25")->Thousandths(), 250u);
    for (const char* bad : {"", ".", "-1", "+1", "1.2345", "1e3", " 1", "1 ", "1..2", "1,5", "9999999999999999"})
        EXPECT_FALSE(CJumpRange::Parse(bad)) << bad;
    // Far beyond any map: every pair of 32-bit points.
    EXPECT_TRUE(CJumpRange::Parse("999999999999999.999")->Allows({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}));
    EXPECT_TRUE(CJumpRange::FromLightYears(INT64_MAX).Allows({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}));
}

// The route search sets aside whole boxes by this bound: it must never
// exceed the way through any point of the box, and should not fall far
// below the best of them.
TEST(LeastDetour, IsTheShortestWayThroughTheBox)
{
    std::mt19937 random(31);
    std::uniform_int_distribution<int> coordinate(-100, 100), size(0, 40);
    for (int trial = 0; trial < 2000; ++trial) {
        CPoint a(coordinate(random), coordinate(random)), b(coordinate(random), coordinate(random));
        CMapBox box{coordinate(random), coordinate(random), 0, 0};
        box.right = box.left + size(random);
        box.bottom = box.top + size(random);
        double bound = LeastDetour(a, b, box), best = std::numeric_limits<double>::infinity();
        for (int x = box.left; x <= box.right; ++x)
            for (int y = box.top; y <= box.bottom; ++y)
                best = std::min(best, MapDistance(a, {x, y}) + MapDistance({x, y}, b));
        ASSERT_LE(bound, best + 1e-9) << trial;
        // Between whole points the way can be shorter by at most a step's worth.
        ASSERT_GE(bound, best - 1.5) << trial;
    }
    EXPECT_DOUBLE_EQ(LeastDetour({0, 0}, {10, 0}, {4, -3, 6, 3}), 10.0);  // straight through
    EXPECT_DOUBLE_EQ(LeastDetour({0, 0}, {10, 0}, {4, 3, 6, 8}), 2 * std::sqrt(34.0));  // up to the edge
}

TEST(RouteFinder, FewestJumpsBeforeTheShortestDistance)
{
    // Three short jumps along the line would be shorter in all; two jumps
    // over either bend are fewer, and the flatter bend is the shorter.
    auto map = LoadMap("Start 0 0 VH\nHighBend 18 8 VH\nOne 12 0 VH\nTwo 24 0 VH\nLowBend 18 -2 VH\n"
                       "Goal 36 0 VH\n");
    CRoute route = Route(*map, "Start", "Goal", "10");
    ASSERT_TRUE(route.found);
    EXPECT_EQ(Stops(*map, route), (Names{"Start", "LowBend", "Goal"}));
    EXPECT_NEAR(route.length, 2 * std::sqrt(180.0 * 180 + 20 * 20), 1e-9);
    EXPECT_EQ(route.legs[0].lightYears, 9);  // 181.1 map units
    EXPECT_EQ(route.LightYears(), 18);
    // With more range the line itself is one jump.
    EXPECT_EQ(Stops(*map, Route(*map, "Start", "Goal", "18")), (Names{"Start", "Goal"}));
}

TEST(RouteFinder, EqualTotalsGoToTheStopsFirstInTheFile)
{
    // Two mirror-image routes of equal length: the first stop decides.
    auto map = LoadMap("Start 0 0 VH\nNorth 18 5 VH\nSouth 18 -5 VH\nGoal 36 0 VH\n");
    EXPECT_EQ(Stops(*map, Route(*map, "Start", "Goal", "10")), (Names{"Start", "North", "Goal"}));
    auto swapped = LoadMap("Start 0 0 VH\nSouth 18 -5 VH\nNorth 18 5 VH\nGoal 36 0 VH\n");
    EXPECT_EQ(Stops(*swapped, Route(*swapped, "Start", "Goal", "10")), (Names{"Start", "South", "Goal"}));
    // Of two planets at one stop, the first in the file stands for it.
    auto shared = LoadMap("Start 0 0 VH\nGoal 36 0 VH\nFirstThere 18 0 VH\nSecondThere 18 0 QT\n");
    EXPECT_EQ(Stops(*shared, Route(*shared, "Start", "Goal", "10")), (Names{"Start", "FirstThere", "Goal"}));
    // Equal first stops, the second decides.
    auto deeper = LoadMap("S 0 0 VH\nA 15 0 VH\nB2 30 5 VH\nB1 30 -5 VH\nG 45 0 VH\n");
    EXPECT_EQ(Stops(*deeper, Route(*deeper, "S", "G", "8")), (Names{"S", "A", "B2", "G"}));
}

TEST(RouteFinder, ALegExactlyAsLongAsTheRangeIsAllowed)
{
    auto map = LoadMap("A 0 0 VH\nB 20 0 VH\nC 35 20 VH\n");  // 200 map units, then 250
    CRoute route = Route(*map, "A", "C", "12.5");
    ASSERT_TRUE(route.found);
    EXPECT_EQ(Stops(*map, route), (Names{"A", "B", "C"}));
    EXPECT_EQ(route.legs[0].lightYears, 10);
    EXPECT_EQ(route.legs[1].lightYears, 12);
    EXPECT_FALSE(Route(*map, "A", "C", "12.499").found);
    EXPECT_FALSE(Route(*map, "A", "B", "9.999").found);
}

TEST(RouteFinder, OnePlanetOrOnePointMakesNoJumpOrOneOfNoLength)
{
    auto map = LoadMap("A 0 0 VH\nB 50 50 VH\nTwin 50 50 QT\n");
    CRoute same = Route(*map, "A", "A", "1");
    EXPECT_TRUE(same.found);
    EXPECT_TRUE(same.legs.empty());
    EXPECT_EQ(same.LightYears(), 0);
    CRoute twins = Route(*map, "B", "Twin", "0");
    ASSERT_TRUE(twins.found);
    EXPECT_EQ(Stops(*map, twins), (Names{"B", "Twin"}));
    EXPECT_EQ(twins.legs[0].lightYears, 0);
}

TEST(RouteFinder, WithoutARouteItNamesTheReachablePlanetClosestToTheGoal)
{
    auto map = LoadMap("Start 0 0 VH\nNear 10 0 VH\nFar 20 0 VH\nAside 20 30 VH\nGoal 100 0 VH\n");
    CRoute route = Route(*map, "Start", "Goal", "10");
    EXPECT_FALSE(route.found);
    EXPECT_EQ(map->GetPlanet(route.nearest).m_strName, "Far");
    EXPECT_EQ(route.nearestLightYears, 40);
    EXPECT_DOUBLE_EQ(route.nearestLength, 800.0);
    // No jump at all: the start itself.
    CRoute stuck = Route(*map, "Start", "Goal", "1");
    EXPECT_EQ(map->GetPlanet(stuck.nearest).m_strName, "Start");
    EXPECT_EQ(stuck.nearestLightYears, 50);
    // A name no planet has gives no index, and no route.
    CRoute unknown = FindRoute(*map, CPlanetIndex(*map), map->FindPlanetIndex("Nowhere"), 0,
                               CJumpRange::FromLightYears(700));
    EXPECT_FALSE(unknown.found);
    EXPECT_EQ(unknown.nearest, -1);
}

namespace {

// Every pair of planets tried, jump count by jump count: the answer the
// finder must give on a small map.
class EveryPair {
public:
    EveryPair(const CStarMap& map, std::int16_t from, std::int16_t to, const CJumpRange& range)
        : m_map(map), m_from(from), m_to(to), m_range(range), m_count(map.GetPlanetCount())
    {
    }

    CRoute Route() const
    {
        // least[k][v]: the shortest way from v to the goal in exactly k jumps.
        const double none = std::numeric_limits<double>::infinity();
        std::vector<std::vector<double>> least{std::vector<double>(std::size_t(m_count), none)};
        least[0][std::size_t(m_to)] = 0;
        while (least.back()[std::size_t(m_from)] == none && int(least.size()) <= m_count) {
            std::vector<double> next(std::size_t(m_count), none);
            for (int v = 0; v < m_count; ++v)
                for (int u = 0; u < m_count; ++u)
                    if (u != v && m_range.Allows(At(v), At(u)))
                        next[std::size_t(v)] = std::min(next[std::size_t(v)], MapDistance(At(v), At(u)) + least.back()[std::size_t(u)]);
            least.push_back(next);
        }
        if (least.back()[std::size_t(m_from)] == none)
            return Nearest();
        CRoute route;
        route.found = true;
        for (int k = int(least.size()) - 2, here = m_from; k >= 0; --k) {
            int chosen = -1;
            for (int u = 0; u < m_count && chosen < 0; ++u) {
                double total = MapDistance(At(here), At(u)) + least[std::size_t(k)][std::size_t(u)];
                if (u != here && m_range.Allows(At(here), At(u)) &&
                    total <= least[std::size_t(k) + 1][std::size_t(here)] * (1 + 1e-9) + 1e-9)
                    chosen = u;
            }
            route.legs.push_back({std::int16_t(here), std::int16_t(chosen), MapDistance(At(here), At(chosen)), 0});
            route.length += route.legs.back().length;
            here = chosen;
        }
        return route;
    }

private:
    CPoint At(int i) const { return CPoint(m_map.GetPlanet(std::int16_t(i)).m_x, m_map.GetPlanet(std::int16_t(i)).m_y); }

    // The planet a position stands for: the start's own, else its first.
    int StandsFor(int i) const
    {
        if (At(i) == At(m_from))
            return m_from;
        for (int j = 0; j < i; ++j)
            if (At(j) == At(i))
                return j;
        return i;
    }

    CRoute Nearest() const
    {
        std::vector<bool> reached(std::size_t(m_count), false);
        reached[std::size_t(m_from)] = true;
        for (bool grew = true; grew;) {
            grew = false;
            for (int v = 0; v < m_count; ++v)
                for (int u = 0; u < m_count; ++u)
                    if (reached[std::size_t(v)] && !reached[std::size_t(u)] && m_range.Allows(At(v), At(u)))
                        reached[std::size_t(u)] = grew = true;
        }
        CMapDisc goal = CMapDisc::Squared(At(m_to), 0);
        int best = m_from;
        for (int v = 0; v < m_count; ++v) {
            auto key = [&](int i) { return std::make_pair(goal.DistanceSquared(At(i)), StandsFor(i)); };
            if (reached[std::size_t(v)] && key(v) < key(best))
                best = v;
        }
        CRoute route;
        route.nearest = std::int16_t(StandsFor(best));
        route.nearestLightYears = WholeLightYears(At(best), At(m_to));
        return route;
    }

    const CStarMap& m_map;
    int m_from, m_to;
    CJumpRange m_range;
    int m_count;
};

} // namespace

TEST(RouteFinder, AgreesWithEveryPairTriedOnSmallRandomMaps)
{
    std::mt19937 random(2207);
    std::uniform_int_distribution<int> coordinate(-30, 30), planets(2, 40), range(0, 24000);
    int found = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::ostringstream text;
        int count = planets(random);
        for (int i = 0; i < count; ++i)
            text << "P" << i << " " << coordinate(random) << " " << coordinate(random) << " VH\n";
        auto map = LoadMap(text.str());
        std::int16_t from = std::int16_t(random() % unsigned(count)), to = std::int16_t(random() % unsigned(count));
        CJumpRange jump = CJumpRange::FromThousandths(std::uint64_t(range(random)));
        CRoute expected = EveryPair(*map, from, to, jump).Route(),
               route = FindRoute(*map, CPlanetIndex(*map), from, to, jump);
        ASSERT_EQ(route.found, expected.found) << trial;
        found += route.found;
        EXPECT_EQ(route.nearest, expected.nearest) << trial;
        EXPECT_EQ(route.nearestLightYears, expected.nearestLightYears) << trial;
        EXPECT_NEAR(route.length, expected.length, 1e-6) << trial;
        ASSERT_EQ(route.legs.size(), expected.legs.size()) << trial;
        for (std::size_t i = 0; i < route.legs.size(); ++i)
            EXPECT_EQ(route.legs[i].to, expected.legs[i].to) << trial << " leg " << i;
    }
    EXPECT_GT(found, 100);
    EXPECT_LT(found, 290);
}

// The least range named for a missing route, rounded up to a tenth: at it
// a route is found, a tenth less finds none, and the answer is the longest
// jump of the best bottleneck path, as every pair on the map tells it.
TEST(RouteFinder, TheLeastRangeFindsARouteAndATenthLessDoesNot)
{
    std::mt19937 random(4417);
    std::uniform_int_distribution<int> coordinate(-300, 300), planets(2, 30);
    for (int trial = 0; trial < 200; ++trial) {
        std::ostringstream text;
        int count = planets(random);
        for (int i = 0; i < count; ++i)
            text << "P" << i << " " << coordinate(random) << " " << coordinate(random) << " VH\n";
        auto map = LoadMap(text.str());
        std::int16_t from = std::int16_t(random() % unsigned(count)), to = std::int16_t(random() % unsigned(count));
        const CPlanetIndex index(*map);
        std::uint64_t tenths = LeastRangeTenths(*map, index, from, to);
        ASSERT_TRUE(FindRoute(*map, index, from, to, CJumpRange::FromThousandths(tenths * 100)).found) << trial;
        if (tenths > 0) {
            ASSERT_FALSE(FindRoute(*map, index, from, to, CJumpRange::FromThousandths(tenths * 100 - 100)).found)
                << trial;
        }
        // By every pair: the widest bottleneck, rounded up, grown as a
        // minimax path over all planets.
        std::vector<std::uint64_t> need(std::size_t(count), UINT64_MAX);
        need[std::size_t(from)] = 0;
        for (bool grew = true; grew;) {
            grew = false;
            for (int v = 0; v < count; ++v)
                for (int u = 0; u < count; ++u) {
                    if (need[std::size_t(v)] == UINT64_MAX)
                        continue;
                    const CPlanet& a = map->GetPlanet(std::int16_t(v));
                    const CPlanet& b = map->GetPlanet(std::int16_t(u));
                    std::uint64_t via = std::max(need[std::size_t(v)], CJumpRange::TenthsToJump({a.m_x, a.m_y}, {b.m_x, b.m_y}));
                    if (via < need[std::size_t(u)]) {
                        need[std::size_t(u)] = via;
                        grew = true;
                    }
                }
        }
        EXPECT_EQ(tenths, need[std::size_t(to)]) << trial;
    }
}

TEST(JumpRange, TenthsToJumpIsTheLengthRoundedUpToATenth)
{
    EXPECT_EQ(CJumpRange::TenthsToJump({0, 0}, {0, 0}), 0u);
    EXPECT_EQ(CJumpRange::TenthsToJump({0, 0}, {2, 0}), 1u);     // 0.1 light years exactly
    EXPECT_EQ(CJumpRange::TenthsToJump({0, 0}, {3, 0}), 2u);
    EXPECT_EQ(CJumpRange::TenthsToJump({80, 0}, {540, 60}), 232u);  // 463.9 map units
    EXPECT_EQ(CJumpRange::TenthsToJump({0, 0}, {600, 800}), 500u);  // a whole 50 light years
    // The farthest two points: no overflow, and the range still allows the jump.
    std::uint64_t far = CJumpRange::TenthsToJump({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX});
    EXPECT_TRUE(CJumpRange::FromThousandths(far * 100).Allows({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}));
    EXPECT_FALSE(CJumpRange::FromThousandths(far * 100 - 100).Allows({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}));
    EXPECT_EQ(TenthsOfLightYears(463.8969), 231);
    EXPECT_EQ(TenthsText(231), "23.1");
    EXPECT_EQ(TenthsText(0), "0.0");
}
