// SPDX-License-Identifier: MIT
#include "model/find/PlanetIndex.h"

#include "LoadedMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <sstream>
#include <tuple>

namespace {

using Wide = CMapDisc::Wide;

// Every planet tried one by one: the answer the index must give.
CNearbyPlanets EveryPlanet(const CStarMap& map, const CMapDisc& disc, int limit)
{
    std::vector<std::pair<Wide, std::int16_t>> inside;
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        CPoint p(map.GetPlanet(i).m_x, map.GetPlanet(i).m_y);
        if (disc.Contains(p))
            inside.emplace_back(disc.DistanceSquared(p), i);
    }
    std::sort(inside.begin(), inside.end());
    CNearbyPlanets result;
    for (std::size_t i = 0; i < inside.size() && i < std::size_t(limit); ++i)
        result.nearest.push_back(inside[i].second);
    result.more = int(inside.size() - result.nearest.size());
    return result;
}

enum class Spread { Wide, Packed, Stacked };

// Planets over the realistic range, on a small grid where many share a
// position, or all on one point.
std::string RandomMapText(Spread spread, int planets, std::mt19937& random)
{
    std::uniform_int_distribution<int> wide(-620, 620), packed(-3, 3);
    std::ostringstream text;
    for (int i = 0; i < planets; ++i) {
        int x = 7, y = -3;
        if (spread == Spread::Wide)
            x = wide(random), y = wide(random);
        else if (spread == Spread::Packed)
            x = packed(random), y = packed(random);
        text << "P" << i << " " << x << " " << y << " VH\n";
    }
    return text.str();
}

bool SameAnswer(const CNearbyPlanets& a, const CNearbyPlanets& b)
{
    return a.nearest == b.nearest && a.more == b.more;
}

} // namespace

TEST(MapDisc, ExactAtItsEdgeForWholeAndFractionalRadii)
{
    CMapDisc five = CMapDisc::Squared(CPoint(0, 0), 25);
    EXPECT_TRUE(five.Contains(CPoint(3, 4)));
    EXPECT_TRUE(five.Contains(CPoint(-5, 0)));
    EXPECT_FALSE(five.Contains(CPoint(3, 5)));
    // Centre (0.5, 0.5), radius 2.5, in halves of a map unit.
    CMapDisc half = CMapDisc::Scaled(1, 1, 5, 2);
    EXPECT_TRUE(half.Contains(CPoint(2, 2)));   // 4.5 against 6.25
    EXPECT_FALSE(half.Contains(CPoint(3, 0)));  // 6.5
    EXPECT_FALSE(half.Contains(CPoint(0, 3)));
    EXPECT_TRUE(half.Contains(CPoint(2, -1)));
    // Five map units plus four pixels at 600 pixels to 12500 units: 88.33.
    CMapDisc hover = CMapDisc::Scaled(0, 0, 5 * 600 + 4 * 12500, 600);
    EXPECT_TRUE(hover.Contains(CPoint(88, 0)));
    EXPECT_FALSE(hover.Contains(CPoint(89, 0)));
    EXPECT_FALSE(CMapDisc::Scaled(0, 0, -1, 1).Contains(CPoint(0, 0)));
    EXPECT_TRUE(CMapDisc::Scaled(0, 0, 0, 1).Contains(CPoint(0, 0)));
}

TEST(MapDisc, BoxesAndTheFarCornersOfTheRangeStayExact)
{
    CMapDisc disc = CMapDisc::Squared(CPoint(0, 0), 100);
    EXPECT_EQ(disc.Of({-6, -6, 6, 6}), CMapDisc::Overlap::Whole);
    EXPECT_EQ(disc.Of({-6, -6, 6, 9}), CMapDisc::Overlap::Part);
    EXPECT_EQ(disc.Of({8, 8, 20, 20}), CMapDisc::Overlap::None);  // corner at 11.3
    EXPECT_EQ(disc.Of({10, -3, 20, 3}), CMapDisc::Overlap::Part); // touches at (10, 0)
    // Opposite ends of the 32-bit range at the largest scale: no overflow.
    CMapDisc corner = CMapDisc::Scaled(std::int64_t(INT_MIN) << 31, std::int64_t(INT_MIN) << 31, 1, 1LL << 31);
    EXPECT_TRUE(corner.Contains(CPoint(INT_MIN, INT_MIN)));
    EXPECT_FALSE(corner.Contains(CPoint(INT_MAX, INT_MAX)));
    EXPECT_GT(corner.DistanceSquared(CPoint(INT_MAX, INT_MAX)), corner.DistanceSquared(CPoint(INT_MAX, 0)));
    EXPECT_EQ(corner.Of({INT_MIN, INT_MIN, INT_MAX, INT_MAX}), CMapDisc::Overlap::Part);
    CMapDisc everything = CMapDisc::Squared(CPoint(INT_MIN, INT_MAX), Wide(1) << 66);
    EXPECT_EQ(everything.Of({INT_MIN, INT_MIN, INT_MAX, INT_MAX}), CMapDisc::Overlap::Whole);
}

TEST(PlanetIndex, AgreesWithEveryPlanetTriedOnWidePackedAndStackedMaps)
{
    std::mt19937 random(4711);
    for (Spread spread : {Spread::Wide, Spread::Packed, Spread::Stacked}) {
        auto map = LoadMap(RandomMapText(spread, 700, random));
        const CPlanetIndex index(*map);
        std::uniform_int_distribution<int> coordinate(-6300, 6300), offset(0, 599), radius(0, 4000);
        for (int query = 0; query < 300; ++query) {
            std::int64_t scale = query % 3 == 0 ? 1 : query % 3 == 1 ? 3 : 600;
            std::int64_t x = coordinate(random) * scale + offset(random) % scale;
            std::int64_t y = (query % 5 == 0 ? -30 : coordinate(random)) * scale + offset(random) % scale;
            CMapDisc disc = CMapDisc::Scaled(x, y, radius(random) * scale / (query % 4 + 1), scale);
            for (int limit : {0, 1, 5, 1000}) {
                CNearbyPlanets found = index.Near(disc, limit), expected = EveryPlanet(*map, disc, limit);
                ASSERT_TRUE(SameAnswer(found, expected)) << int(spread) << " query " << query << " limit " << limit
                                                         << ": " << found.more << " more, not " << expected.more;
            }
            EXPECT_EQ(index.CountWithin(disc), EveryPlanet(*map, disc, 0).more);
        }
    }
}

TEST(PlanetIndex, EqualDistancesComeInFileOrder)
{
    auto map = LoadMap("East 1 0 VH\nNorth 0 1 VH\nHere 0 0 VH\nWest -1 0 VH\nAlsoHere 0 0 QT\n");
    const CPlanetIndex index(*map);
    CNearbyPlanets near = index.Near(CMapDisc::Squared(CPoint(0, 0), 100), 3);
    EXPECT_EQ(near.nearest, (std::vector<std::int16_t>{2, 4, 0}));
    EXPECT_EQ(near.more, 2);
    // Planets that share a point share one position, in file order.
    int slot = index.SlotOf(CPoint(0, 0));
    ASSERT_GE(slot, 0);
    EXPECT_EQ(std::vector<std::int16_t>(index.PlanetsAt(slot).begin(), index.PlanetsAt(slot).end()),
              (std::vector<std::int16_t>{2, 4}));
    EXPECT_EQ(index.SlotOf(CPoint(1, 1)), -1);
    EXPECT_EQ(index.Positions().Size(), 4);
}

TEST(PlanetIndex, AMapWithoutPlanetsAnswersNothing)
{
    CStarMap empty;
    const CPlanetIndex index(empty);
    CNearbyPlanets near = index.Near(CMapDisc::Squared(CPoint(0, 0), Wide(1) << 70), 5);
    EXPECT_TRUE(near.nearest.empty());
    EXPECT_EQ(near.more, 0);
    EXPECT_EQ(index.SlotOf(CPoint(0, 0)), -1);
}
