// SPDX-License-Identifier: MIT
#include "model/map/StarMap.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Cause = CLoadDiagnostic::Cause;

struct Loaded {
    BOOL ok = FALSE;
    std::vector<CPlanet> planets;
    CLoadDiagnostic diagnostic;
};

class Loader : public ::testing::Test {
protected:
    Loaded Load(const std::string& bytes)
    {
        CStarMap map;
        Loaded result;
        std::string path = m_dir.Write("map.dat", bytes);
        result.ok = map.LoadDataFile(path.c_str(), &result.diagnostic);
        for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i)
            result.planets.push_back(map.GetPlanet(i));
        return result;
    }

    TempDir m_dir;
};

} // namespace

TEST_F(Loader, WorkedExampleGivesNameCoordinatesAndCode)
{
    Loaded r = Load("New  Kelso\t-41 52 KOR capital\n");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.planets.size(), 1u);
    EXPECT_EQ(r.planets[0].m_strName, "New Kelso");
    EXPECT_EQ(r.planets[0].m_x, -410);
    EXPECT_EQ(r.planets[0].m_y, -520);
    EXPECT_EQ(r.planets[0].m_strFaction, "KOR");
}

TEST_F(Loader, EmptyFilesAndCommentOnlyFilesLoadWithNoPlanets)
{
    for (const char* bytes : {"", ";only a comment\n", ";a\n;b", "\x1a", "\x1a\n\n\n"}) {
        Loaded r = Load(bytes);
        EXPECT_TRUE(r.ok) << bytes;
        EXPECT_TRUE(r.planets.empty());
    }
}

TEST_F(Loader, EveryFailureCauseKeepsThePlanetsBeforeIt)
{
    const std::pair<const char*, Cause> cases[] = {
        {"A 1 2 VH\nB 3 4 QT\n\nC 5 6 E\n", Cause::BlankLine},
        {"A 1 2 VH\nB 3 4 QT\n   \t \n", Cause::BlankLine},
        {"A 1 2 VH\nB 3 4 QT\nLonely Words\n", Cause::NameWithoutCoordinates},
        {"A 1 2 VH\nB 3 4 QT\n  ;not a comment\n", Cause::NameWithoutCoordinates},
        {"A 1 2 VH\nB 3 4 QT\nC 5\n", Cause::NoYCoordinate},
        {"A 1 2 VH\nB 3 4 QT\nC 5 6\n", Cause::NoFactionCode},
        {"A 1 2 VH\nB 3 4 QT\nC 99999999999 6 VH\n", Cause::CoordinateOutOfRange},
        {"A 1 2 VH\nB 3 4 QT\nC 5 -214748365 VH\n", Cause::CoordinateOutOfRange},
    };
    for (const auto& [bytes, cause] : cases) {
        Loaded r = Load(bytes);
        EXPECT_FALSE(r.ok) << bytes;
        EXPECT_EQ(r.planets.size(), 2u) << bytes;
        EXPECT_EQ(r.diagnostic.cause, cause) << bytes;
        EXPECT_EQ(r.diagnostic.line, 3) << bytes;
    }
}

TEST_F(Loader, ABlankLineAtTheEndFailsTheLoad)
{
    Loaded r = Load("A 1 2 VH\n\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.planets.size(), 1u);
}

TEST_F(Loader, LastLineWithoutLineEndLoads)
{
    Loaded r = Load("A 1 2 VH\nB 3 4 QT");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.planets.size(), 2u);
}

TEST_F(Loader, PiecesAreAtMostSeventyNineCharacters)
{
    std::string name78(70, 'N');
    std::string line78 = name78 + " 1 2 VH";  // 77 characters
    line78 += "X";                            // 78: the code becomes VHX
    ASSERT_EQ(line78.size(), 78u);
    Loaded r = Load(line78 + "\nB 3 4 QT\n");
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(r.planets.size(), 2u);
    EXPECT_EQ(r.planets[0].m_strFaction, "VHX");

    // 79 characters: the line end alone is the next piece, a blank line.
    Loaded r79 = Load(line78 + "Y\nB 3 4 QT\n");
    EXPECT_FALSE(r79.ok);
    EXPECT_EQ(r79.planets.size(), 1u);
    EXPECT_EQ(r79.diagnostic.cause, Cause::BlankLine);

    // The rest of a long line is read as a line of its own.
    std::string longLine = std::string(79, 'a').replace(0, 9, "A 1 2 VH ") + "B 3 4 QT\n";
    Loaded split = Load(longLine);
    EXPECT_TRUE(split.ok);
    ASSERT_EQ(split.planets.size(), 2u);
    EXPECT_EQ(split.planets[1].m_strName, "B");
}

TEST_F(Loader, TextModeLineEnds)
{
    Loaded crlf = Load("A 1 2 VH\r\nB 3 4 QT\r\n");
    EXPECT_TRUE(crlf.ok);
    ASSERT_EQ(crlf.planets.size(), 2u);
    EXPECT_EQ(crlf.planets[0].m_strFaction, "VH");

    // A lone CR is a delimiter inside the line, not a line end.
    Loaded cr = Load("A 1 2 VH\rB 3 4 QT\n");
    EXPECT_TRUE(cr.ok);
    ASSERT_EQ(cr.planets.size(), 1u);
    EXPECT_EQ(cr.planets[0].m_strFaction, "VH");

    // Ctrl+Z ends the file; nothing after it is read.
    Loaded z = Load("A 1 2 VH\n\x1a\n\nrubbish");
    EXPECT_TRUE(z.ok);
    EXPECT_EQ(z.planets.size(), 1u);

    // A CR LF pair counts once towards the 79 characters.
    std::string line = std::string(70, 'N') + " 1 2 VHXY";  // 79 with the LF
    ASSERT_EQ(line.size(), 79u);
    Loaded pair = Load(line.substr(0, 78) + "\r\nB 3 4 QT\n");
    EXPECT_TRUE(pair.ok);
    EXPECT_EQ(pair.planets.size(), 2u);
}

TEST_F(Loader, NameWordsAreJoinedBySingleSpaces)
{
    Loaded r = Load("  Far \t  Blue\t\tYonder 1 2 VH\n+Plus ,Comma 3 4 QT\n\xC3\xA9t\xE9 5 6 E\n");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.planets.size(), 3u);
    EXPECT_EQ(r.planets[0].m_strName, "Far Blue Yonder");
    EXPECT_EQ(r.planets[1].m_strName, "+Plus ,Comma");
    EXPECT_EQ(r.planets[2].m_strName, "\xC3\xA9t\xE9");
}

TEST_F(Loader, CoordinateRules)
{
    Loaded r = Load("A 12.9 7km VH\nB - -x VH\nC -12.7 +5 VH\nAlpha 2 15 -30 VH\nD 12 abc VH\n12 34 VH\n");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.planets.size(), 6u);
    EXPECT_EQ(r.planets[0].m_x, 120);
    EXPECT_EQ(r.planets[0].m_y, -70);
    EXPECT_EQ(r.planets[1].m_x, 0);
    EXPECT_EQ(r.planets[1].m_y, 0);
    EXPECT_EQ(r.planets[2].m_x, -120);
    EXPECT_EQ(r.planets[2].m_y, -50);
    EXPECT_EQ(r.planets[3].m_strName, "Alpha");
    EXPECT_EQ(r.planets[3].m_x, 20);
    EXPECT_EQ(r.planets[3].m_y, -150);
    EXPECT_EQ(r.planets[3].m_strFaction, "-30");
    EXPECT_EQ(r.planets[4].m_y, 0);
    EXPECT_EQ(r.planets[5].m_strName, "");
    EXPECT_EQ(r.planets[5].m_x, 120);
    EXPECT_EQ(r.planets[5].m_y, -340);
}

TEST_F(Loader, CoordinatesAtTheEdgeOfTheRange)
{
    Loaded ok = Load("A 214748364 -214748364 VH\n");
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.planets[0].m_x, 2147483640);
    EXPECT_EQ(ok.planets[0].m_y, 2147483640);
    EXPECT_FALSE(Load("A 214748365 0 VH\n").ok);
    EXPECT_FALSE(Load("A -214748365 0 VH\n").ok);
    EXPECT_TRUE(Load("A 0 00000000000000000000000000000001 VH\n").ok);
}

TEST_F(Loader, NulByteEndsThePieceText)
{
    Loaded r = Load(std::string("Ab 1 2 VH\nNul\0led 3 4 QT\n", 24));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.planets.size(), 1u);
    EXPECT_EQ(r.diagnostic.cause, Cause::NameWithoutCoordinates);
}

TEST_F(Loader, AppendsWithoutEmptyingAndFailsOnMissingFile)
{
    CStarMap map;
    std::string path = m_dir.Write("a.dat", "A 1 2 VH\n");
    ASSERT_TRUE(map.LoadDataFile(path.c_str()));
    ASSERT_TRUE(map.LoadDataFile(path.c_str()));
    EXPECT_EQ(map.GetPlanetCount(), 2);
    CLoadDiagnostic d;
    EXPECT_FALSE(map.LoadDataFile((m_dir.Path() / "missing.dat").c_str(), &d));
    EXPECT_EQ(d.cause, Cause::CannotOpen);
    EXPECT_FALSE(map.LoadDataFile(m_dir.Path().c_str(), &d));
    EXPECT_EQ(map.GetPlanetCount(), 2);
}

TEST_F(Loader, KeepsAtMost32767Planets)
{
    std::ostringstream text;
    for (int i = 0; i < 32769; ++i)
        text << "P" << i << ' ' << (i % 1000) << ' ' << (i / 1000) << " VH\n";
    Loaded r = Load(text.str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.planets.size(), 32767u);
    EXPECT_EQ(r.diagnostic.cause, Cause::TooManyPlanets);
    EXPECT_EQ(r.diagnostic.line, 32768);
    // Every planet where it belongs, across the blocks they are kept in.
    for (std::size_t i : {0u, 511u, 512u, 513u, 32766u})
        EXPECT_EQ(r.planets[i].m_strName, "P" + std::to_string(i));
}

TEST_F(Loader, PlanetsStayPutWhileMoreAreAppended)
{
    CStarMap map;
    ASSERT_TRUE(map.LoadDataFile(m_dir.Write("one.dat", "First 1 2 VH\n").c_str()));
    const CPlanet* first = &map.GetPlanet(0);
    std::ostringstream text;
    for (int i = 0; i < 2000; ++i)
        text << "Q" << i << " 3 4 QT\n";
    ASSERT_TRUE(map.LoadDataFile(m_dir.Write("many.dat", text.str()).c_str()));
    ASSERT_EQ(map.GetPlanetCount(), 2001);
    EXPECT_EQ(&map.GetPlanet(0), first);
    EXPECT_EQ(first->m_strName, "First");
    EXPECT_EQ(map.GetPlanet(2000).m_strName, "Q1999");
}

// The reader and the checks look at several bytes at once; a line end, a
// CR, a Ctrl+Z or a byte above 0x7F must count wherever it falls in them.
TEST_F(Loader, SpecialBytesCountAtEveryPlace)
{
    for (std::size_t pad = 1; pad <= 18; ++pad) {
        SCOPED_TRACE(pad);
        std::string name(pad, 'a');
        Loaded crlf = Load(name + " 1 2 VH\r\n" + name + "\t3 4 QT\n");
        ASSERT_EQ(crlf.planets.size(), 2u);
        EXPECT_EQ(crlf.planets[0].m_strFaction, "VH");
        EXPECT_EQ(crlf.planets[1].m_strName, name);
        Loaded cr = Load(name + "\rb  \t c 1 2 VH\n");
        ASSERT_EQ(cr.planets.size(), 1u);
        EXPECT_EQ(cr.planets[0].m_strName, name + " b c");
        Loaded z = Load(name + " 1 2 VH\x1a" + name + " 3 4 QT\n");
        EXPECT_TRUE(z.ok);
        ASSERT_EQ(z.planets.size(), 1u);
        EXPECT_EQ(z.planets[0].m_strFaction, "VH");

        auto encoding = [this](const std::string& bytes) {
            CStarMap map;
            map.LoadDataFile(m_dir.Write("e.dat", bytes).c_str());
            return map.GetTextEncoding();
        };
        EXPECT_EQ(encoding(name + " 1 2 VH\n"), CTextEncoding::Utf8);
        EXPECT_EQ(encoding(name + "\xC3\xA9 1 2 VH\n"), CTextEncoding::Utf8);
        EXPECT_EQ(encoding(name + "\xE9 1 2 VH\n"), CTextEncoding::Windows1252);
        EXPECT_EQ(encoding(name + "\xC3 1 2 VH\n"), CTextEncoding::Windows1252);
    }
}

TEST_F(Loader, FindPlanetIsExactAndTakesTheFirst)
{
    CStarMap map;
    std::string path = m_dir.Write("f.dat", "Twin 1 1 VH\nNew Kelso 2 2 VH\nTwin 3 3 VH\n4 4 VH\n");
    ASSERT_TRUE(map.LoadDataFile(path.c_str()));
    EXPECT_EQ(map.FindPlanet("Twin"), CPoint(10, -10));
    EXPECT_EQ(map.FindPlanet("New Kelso"), CPoint(20, -20));
    EXPECT_EQ(map.FindPlanet("New  Kelso"), CPoint(0, 0));
    EXPECT_EQ(map.FindPlanet("twin"), CPoint(0, 0));
    EXPECT_EQ(map.FindPlanet(" Twin"), CPoint(0, 0));
    EXPECT_EQ(map.FindPlanet(""), CPoint(40, -40));
    CStarMap empty;
    EXPECT_EQ(empty.FindPlanet(""), CPoint(0, 0));
}

TEST_F(Loader, EveryByteReadDecidesHowTheNamesRead)
{
    auto encoding = [this](const std::string& bytes) {
        CStarMap map;
        std::string path = m_dir.Write("e.dat", bytes);
        map.LoadDataFile(path.c_str());
        return map.GetTextEncoding();
    };
    EXPECT_EQ(encoding("Plain 1 2 VH\n"), CTextEncoding::Utf8);
    EXPECT_EQ(encoding("Z\xC3\xBCrich 1 2 VH\n"), CTextEncoding::Utf8);
    EXPECT_EQ(encoding("Z\xFCrich 1 2 VH\n"), CTextEncoding::Windows1252);
    EXPECT_EQ(encoding("; caf\xE9\nPlain 1 2 VH\n"), CTextEncoding::Windows1252) << "comments count";
    EXPECT_EQ(encoding("Plain 1 2 VH \xE9t\xE9\n"), CTextEncoding::Windows1252) << "ignored words count";
    // A character cut by the 79th byte: the pieces still join into UTF-8.
    std::string first = "P 1 2 VH " + std::string(69, 'x') + "\xC3";
    ASSERT_EQ(first.size(), 79u);
    Loaded r = Load(first + "\xBCrich 3 4 VH\n");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.planets.size(), 2u);
    EXPECT_EQ(encoding(first + "\xBCrich 3 4 VH\n"), CTextEncoding::Utf8);
    // The bytes of the file as they stand: the loader keeps them.
    r = Load("Z\xFCrich 1 2 VH\n");
    ASSERT_EQ(r.planets.size(), 1u);
    EXPECT_EQ(r.planets[0].m_strName, "Z\xFCrich");
}
