// SPDX-License-Identifier: MIT
#include "bench/BenchMapFile.h"
#include "bench/BenchMapKinds.h"
#include "bench/GeneratedMap.h"
#include "model/map/FactionTable.h"
#include "model/map/StarMap.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

// The benchmark maps are what the speed figures stand on: a map that loads
// short, or whose names repeat more than a real map's, would flatter every
// figure measured on it.

namespace {

struct Survey {
    int planets = 0;
    std::set<std::string> names;
    double nameChars = 0;
    int maxWords = 0;
    int maxAbsX = 0, maxAbsY = 0;
    int unknownCodes = 0;
    bool morvath = false;
    std::set<std::pair<int, int>> points;
    std::set<std::size_t> nameLengths;
};

Survey Load(BenchMapKind kind)
{
    TempDir dir;
    std::string path = dir.Write("map.dat", BenchMapText(kind));
    CStarMap map;
    EXPECT_TRUE(map.LoadDataFile(path.c_str())) << BenchMapKindName(kind);
    Survey s;
    s.planets = map.GetPlanetCount();
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i) {
        const CPlanet& p = map.GetPlanet(i);
        s.names.insert(p.m_strName);
        s.nameChars += double(p.m_strName.size());
        s.nameLengths.insert(p.m_strName.size());
        int words = 1;
        for (char c : p.m_strName)
            words += c == ' ';
        s.maxWords = std::max(s.maxWords, words);
        s.maxAbsX = std::max(s.maxAbsX, std::abs(p.m_x));
        s.maxAbsY = std::max(s.maxAbsY, std::abs(p.m_y));
        s.unknownCodes += LookUpFactionPen(p.m_strFaction.c_str()) == kPenWhite;
        s.morvath = s.morvath || p.m_strName == "Morvath";
        s.points.insert({p.m_x, p.m_y});
    }
    return s;
}

} // namespace

TEST(BenchMaps, RealisticMapHasManyDistinctNamesOfAboutTwelveCharacters)
{
    Survey s = Load(BenchMapKind::Realistic);
    EXPECT_EQ(s.planets, kBenchMapPlanets);
    EXPECT_GE(s.names.size(), 24000u);
    EXPECT_LT(s.names.size(), std::size_t(kBenchMapPlanets));  // some names repeat, as on real maps
    EXPECT_NEAR(s.nameChars / s.planets, 12.3, 0.7);
    EXPECT_EQ(s.maxWords, 3);
    // +-620 file units are +-6200 map units.
    EXPECT_LE(s.maxAbsX, 6200);
    EXPECT_LE(s.maxAbsY, 6200);
    EXPECT_GT(s.maxAbsX, 6000);
    // A few codes outside the table, most inside it.
    EXPECT_GT(s.unknownCodes, 0);
    EXPECT_LT(s.unknownCodes, s.planets / 20);
    EXPECT_TRUE(s.morvath);
}

TEST(BenchMaps, PackedAndStackedMapsCrowdTheirPlanets)
{
    Survey packed = Load(BenchMapKind::Packed);
    EXPECT_EQ(packed.planets, kBenchMapPlanets);
    // Within 20 x 20 file units: 200 x 200 map units around the origin.
    EXPECT_LE(packed.maxAbsX, 100);
    EXPECT_LE(packed.maxAbsY, 100);
    EXPECT_GE(packed.names.size(), 24000u);

    Survey stacked = Load(BenchMapKind::Stacked);
    EXPECT_EQ(stacked.planets, kBenchMapPlanets);
    EXPECT_EQ(stacked.points, (std::set<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(stacked.nameLengths, std::set<std::size_t>{std::size_t(kStackedNameLength)});
    EXPECT_EQ(stacked.names.size(), std::size_t(kBenchMapPlanets));
}

namespace {

// Whether a UTF-8 name holds a character outside Latin, Greek and Cyrillic
// (three and four bytes: ideographs, kana, pictographs) or a combining mark
// (U+0300 to U+036F, U+0483 to U+0489).
bool HoldsOtherScriptOrMark(const std::string& name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (byte >= 0xE0 || byte == 0xCC || (byte == 0xCD && next < 0xB0) || (byte == 0xD2 && next >= 0x83 && next <= 0x89))
            return true;
    }
    return false;
}

} // namespace

TEST(BenchMaps, StackedScriptsMapPilesNamesOfOtherScriptsOnOnePoint)
{
    Survey s = Load(BenchMapKind::StackedScripts);
    EXPECT_EQ(s.planets, kBenchMapPlanets);
    EXPECT_EQ(s.points, (std::set<std::pair<int, int>>{{0, 0}}));
    EXPECT_GE(s.names.size(), 32000u);
    EXPECT_LE(*s.nameLengths.rbegin(), std::size_t(kStackedScriptsNameBytes));
    EXPECT_GE(*s.nameLengths.begin(), std::size_t(kStackedScriptsNameBytes) / 3);
    for (const std::string& name : s.names)
        ASSERT_TRUE(HoldsOtherScriptOrMark(name)) << name.size() << " bytes";
}

TEST(BenchMaps, EveryMapIsTheSameOnEveryRunAndTodaysMapIsKept)
{
    for (BenchMapKind kind : kBenchMapKinds) {
        SCOPED_TRACE(BenchMapKindName(kind));
        EXPECT_EQ(BenchMapText(kind), BenchMapText(kind));
        EXPECT_EQ(BenchMapKindFromName(BenchMapKindName(kind)), kind);
    }
    EXPECT_EQ(BenchMapText(BenchMapKind::Today), GeneratedMapText(kBenchMapPlanets));
    EXPECT_EQ(BenchMapKindFromName("Realistic"), std::nullopt);
}

TEST(BenchMaps, ACutMapHoldsThatManyPlanets)
{
    TempDir dir;
    for (BenchMapKind kind : kBenchMapKinds) {
        SCOPED_TRACE(BenchMapKindName(kind));
        std::string path = dir.Write("cut.dat", BenchMapText(kind, 150));
        CStarMap map;
        EXPECT_TRUE(map.LoadDataFile(path.c_str()));
        EXPECT_EQ(map.GetPlanetCount(), 150);
    }
}

TEST(BenchMaps, AMapIsWrittenOnlyToANewFileAndWholly)
{
    TempDir dir;
    std::string kept = dir.Write("kept.dat", "mine");
    std::string reason;
    EXPECT_FALSE(WriteBenchMapFile(BenchMapKind::Packed, kept, reason));
    EXPECT_EQ(ReadWholeFile(kept), "mine");
    EXPECT_FALSE(reason.empty());

    std::string made = (dir.Path() / "made.dat").string();
    ASSERT_TRUE(WriteBenchMapFile(BenchMapKind::Packed, made, reason)) << reason;
    EXPECT_EQ(ReadWholeFile(made), BenchMapText(BenchMapKind::Packed));
}

// Run twice: from the suite, it starts this test again in a private mount
// namespace where a folder is a full tmpfs, and writes the map there.
TEST(BenchMaps, AMapThatDoesNotFitLeavesNoFile)
{
    const char* full = std::getenv("KESTRIN_FULL_DISK");
    if (full == nullptr) {
        TempDir dir;
        std::filesystem::path folder = dir.Path() / "full", log = dir.Path() / "log";
        std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        std::string script = "fill\nexec \"$SELF\" --gtest_filter=BenchMaps.AMapThatDoesNotFitLeavesNoFile\n";
        ProcessResult r = RunOnFullDisk(folder, script, {"SELF=" + self, "KESTRIN_FULL_DISK=" + folder.string()}, log);
        if (r.status == kFullDiskRefused)
            GTEST_SKIP() << "no private mount namespace with a tmpfs here";
        EXPECT_TRUE(r.finished && r.status == 0) << ReadWholeFile(log);
        return;
    }
    std::string path = (std::filesystem::path(full) / "stacked.dat").string();
    std::string reason;
    EXPECT_FALSE(WriteBenchMapFile(BenchMapKind::Stacked, path, reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_FALSE(std::filesystem::exists(path));
}
