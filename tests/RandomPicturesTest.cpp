// SPDX-License-Identifier: MIT
#include "MapPicture.h"

#include "bench/BenchRandom.h"
#include "bench/ScriptNames.h"
#include "model/map/StarMap.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

// Small random maps of names in every script, drawn by the fast surface
// and the plain reference surface at random views from afar down to
// extent 1, on screen and printing, must give the same pictures item by
// item (PictureCompare.h). The planets crowd a small area, many stacked
// on one point or nudged by a unit, so that names cover one another as on
// a dense map. The seeds are fixed: a failure names the kind, map and view
// to draw again.

namespace {

constexpr int kMapsPerKind = 4;
constexpr int kViewsPerMap = 4;
constexpr int kZooms[] = {12500, 6250, 3125, 1562, 781, 390, 195, 97, 48, 24, 12, 6, 3, 1};
const char* const kCodes[] = {"VH", "QT", "LMR", "ZA", "KOR", "TY", "GW", "S", "Vh"};

struct Point {
    int x, y;  // file units, tenths
};

std::string Coordinate(int tenths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10, std::abs(tenths) % 10);
    return text;
}

// A crowd of planets around one place: some on the point of an earlier one,
// some a unit beside it, the rest close by.
std::string RandomMapText(ScriptKind kind, CBenchRandom& random, CScriptNames& names)
{
    // A byte that is not UTF-8 makes the whole file Windows-1252.
    std::string text = kind == ScriptKind::Windows1252 ? "; random map \xFF\n" : "; random map\n";
    const Point centre{random.Below(6000) - 3000, random.Below(6000) - 3000};
    std::vector<Point> points;
    const int planets = 8 + random.Below(24);
    for (int i = 0; i < planets; ++i) {
        Point p{centre.x + random.Below(161) - 80, centre.y + random.Below(161) - 80};
        if (!points.empty() && random.Percent(45)) {
            p = points[std::size_t(random.Below(int(points.size())))];
            if (random.Percent(40))
                p.x += random.Below(3) - 1, p.y += random.Below(3) - 1;
        }
        points.push_back(p);
        // Short of the loader's 79-byte pieces.
        std::string name = names.Name(kind);
        while (name.size() > 60)
            name = names.Name(kind);
        text += name + " " + Coordinate(p.x) + " " + Coordinate(p.y) + " " +
                kCodes[random.Below(int(std::size(kCodes)))] + "\n";
    }
    return text;
}

// Centred on the start of a planet's name, with a nudge of up to a
// quarter of the extent, so that every zoom shows some of the crowd.
MapView RandomView(const CStarMap& map, CBenchRandom& random, int zoom)
{
    const CPlanet& p = map.GetPlanet(std::int16_t(random.Below(map.GetPlanetCount())));
    const int nudge = zoom / 4;
    MapView v{zoom, p.m_x - 5 + random.Below(2 * nudge + 11) - nudge, p.m_y + 5 + random.Below(2 * nudge + 11) - nudge};
    v.width = 480, v.height = 360;
    return v;
}

int RandomZoom(CBenchRandom& random, int view)
{
    // Each map is seen once from afar, once close and once very close,
    // then once anywhere.
    switch (view) {
    case 0: return kZooms[random.Below(5)];
    case 1: return kZooms[5 + random.Below(4)];
    case 2: return kZooms[9 + random.Below(5)];
    default: return kZooms[random.Below(int(std::size(kZooms)))];
    }
}

// With KESTRIN_TEST_PICTURES naming a folder, a failing view's two
// pictures are written there to be looked at.
void KeepForALook(const MapPictures& p, std::uint64_t seed, const MapView& v, bool printing)
{
    const char* folder = std::getenv("KESTRIN_TEST_PICTURES");
    if (folder == nullptr)
        return;
    const std::string stem = std::string(folder) + "/" + std::to_string(seed) + "-" + std::to_string(v.zoom) +
                             "-" + std::to_string(v.cx) + "," + std::to_string(v.cy) + (printing ? "-printing" : "");
    EXPECT_TRUE(p.fast.Save(stem + "-fast.png"));
    EXPECT_TRUE(p.reference.Save(stem + "-reference.png"));
}

} // namespace

TEST(RandomPictures, NamesOfEveryScriptMatchTheReferenceFromAfarToExtentOne)
{
    TempDir dir;
    for (ScriptKind kind : kScriptKinds) {
        for (int m = 0; m < kMapsPerKind; ++m) {
            const std::uint64_t seed = 0x52414E44 + 1000 * std::uint64_t(kind) + std::uint64_t(m);
            CBenchRandom random(seed);
            CScriptNames names(seed * 31);
            CStarMap map;
            ASSERT_TRUE(map.LoadDataFile(dir.Write("random.dat", RandomMapText(kind, random, names)).c_str()));
            if (random.Percent(50)) {
                const CPlanet& a = map.GetPlanet(0);
                map.AddMeasureLine(a.m_x, a.m_y, a.m_x + random.Below(200) - 100, a.m_y + random.Below(200) - 100, 3);
            }
            for (int i = 0; i < kViewsPerMap; ++i) {
                const MapView v = RandomView(map, random, RandomZoom(random, i));
                for (bool printing : {false, true}) {
                    const MapPictures p = CompareMapPictures(map, v, printing);
                    SCOPED_TRACE(::testing::Message()
                                 << ScriptKindName(kind) << " map " << m << " (seed " << seed << "), zoom " << v.zoom
                                 << " centre " << v.cx << "," << v.cy << (printing ? " printing" : "") << ": "
                                 << Describe(p.comparison));
                    EXPECT_TRUE(p.comparison.Passes());
                    if (!p.comparison.Passes())
                        KeepForALook(p, seed, v, printing);
                    // Drawn again with everything cached, the picture stays.
                    EXPECT_EQ(RenderFast(map, v, printing).CountDifferences(p.fast), 0);
                }
            }
        }
    }
}
