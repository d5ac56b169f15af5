// SPDX-License-Identifier: MIT
#include "model/check/DataFileCheck.h"
#include "model/map/StarMap.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <filesystem>
#include <random>
#include <sstream>

namespace {

using Kind = CCheckKind;

struct At {
    int line;
    Kind kind;
    friend bool operator==(const At&, const At&) = default;
    friend std::ostream& operator<<(std::ostream& out, const At& at)
    {
        return out << at.line << ":" << CheckKindName(at.kind);
    }
};

std::vector<At> Places(const CCheckReport& report)
{
    std::vector<At> places;
    for (const CCheckFinding& finding : report.findings)
        places.push_back({finding.line, finding.kind});
    return places;
}

class DataFileCheck : public ::testing::Test {
protected:
    CCheckReport Check(const std::string& bytes) { return CheckDataFile(m_dir.Write("map.dat", bytes).c_str()); }
    std::string Message(const CCheckReport& report, Kind kind)
    {
        for (const CCheckFinding& finding : report.findings)
            if (finding.kind == kind)
                return finding.message;
        return "(none)";
    }

    TempDir m_dir;
};

// Every warning, then every error, each on a line of its own.
const std::string kEveryFinding =
    "; comment\n"
    "Alpha 1 2 VH\n"
    "Beta 12.7 7km QT\n"
    "Gamma 3 4 vh\n"
    "Delta 5 6 X\n"
    "  ; not a comment 1 2 VH\n"
    "Alpha 7 8 QT\n"
    "Epsilon 9 9 VH" + std::string(1, '\0') + "junk\n"
    "Zeta 1 1 VH\rjunk\r\n"
    "Z\x81ta 2 2 VH\n"
    "Eta 3 3 VH" + std::string(69, ' ') + ";rest of a long line\n"
    "\n"
    "Lonely Words\n"
    "Theta 5\n"
    "Iota 5 6\n"
    "Kappa 99999999999 1 VH\n"
    "Lambda 1 1 VH \x1a" "Mu 1 1 VH\n";

std::filesystem::path SampleMap()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "samples" / "kestrin.dat";
}

} // namespace

TEST_F(DataFileCheck, EveryErrorAndWarningAtItsPhysicalLineInOrder)
{
    CCheckReport report = Check(kEveryFinding);
    ASSERT_TRUE(report.opened);
    EXPECT_EQ(Places(report), (std::vector<At>{
        {3, Kind::TruncatedCoordinate}, {3, Kind::TruncatedCoordinate}, {4, Kind::UnknownFaction},
        {5, Kind::UnknownFaction}, {6, Kind::SemicolonAfterBlanks}, {7, Kind::DuplicateName}, {8, Kind::NulByte},
        {9, Kind::LoneCarriageReturn}, {10, Kind::UnreadableName}, {11, Kind::LongLine}, {12, Kind::BlankLine},
        {13, Kind::NameWithoutCoordinates}, {14, Kind::NoYCoordinate}, {15, Kind::NoFactionCode},
        {16, Kind::CoordinateOutOfRange}, {17, Kind::CtrlZBeforeEnd}}));
    EXPECT_EQ(report.errors, 5);
    EXPECT_EQ(report.warnings, 11);
    EXPECT_EQ(report.planets, 11);
    EXPECT_EQ(report.planetsShown, 10);
    EXPECT_EQ(report.findings[10].Severity(), CCheckSeverity::Error);
    EXPECT_EQ(report.findings[9].Severity(), CCheckSeverity::Warning);
    // The words that tell the author what to change.
    EXPECT_NE(report.findings[0].message.find("\"12.7\" is read as 12"), std::string::npos);
    EXPECT_NE(report.findings[1].message.find("\"7km\" is read as 7"), std::string::npos);
    EXPECT_NE(Message(report, Kind::UnknownFaction).find("did you mean \"VH\"?"), std::string::npos);
    EXPECT_EQ(report.findings[3].message.find("did you mean"), std::string::npos);
    EXPECT_NE(Message(report, Kind::DuplicateName).find("on line 2"), std::string::npos);
    EXPECT_NE(Message(report, Kind::LongLine).find("line of 99 characters"), std::string::npos);
    EXPECT_NE(Message(report, Kind::UnreadableName).find("\"Z\xEF\xBF\xBDta\""), std::string::npos);
    EXPECT_NE(Message(report, Kind::NameWithoutCoordinates).find("\"Lonely Words\""), std::string::npos);
    EXPECT_NE(Message(report, Kind::CoordinateOutOfRange).find("\"99999999999\""), std::string::npos);
    // Only the first error says where the viewer stops.
    EXPECT_NE(Message(report, Kind::BlankLine).find("stops reading here"), std::string::npos);
    EXPECT_EQ(Message(report, Kind::NoFactionCode).find("stops reading"), std::string::npos);
}

TEST_F(DataFileCheck, CleanFilesAndLinesThatOnlyLookOdd)
{
    EXPECT_TRUE(Check("").findings.empty());
    EXPECT_TRUE(Check("; only comments\n;\n").findings.empty());
    // "S" is the legend's own white code; "-0" is read whole; a Ctrl+Z as
    // the last byte hides nothing; Windows-1252 and UTF-8 names are text.
    CCheckReport report = Check("A 7 -0 S\r\nB 1 2 KOR ignored words\nZ\xFCrich 1 1 E\n\x1a");
    EXPECT_TRUE(report.findings.empty()) << Places(report).front();
    EXPECT_EQ(report.planets, 3);
    EXPECT_TRUE(Check("Z\xC3\xBCrich 1 1 E\n").findings.empty());
    // A line of 78 characters is one piece; the 79th makes it two.
    std::string line78 = "Rho 1 1 VH" + std::string(68, ' ');
    EXPECT_TRUE(Check(line78 + "\n").findings.empty());
    EXPECT_EQ(Places(Check(line78 + " \n")), (std::vector<At>{{1, Kind::LongLine}, {1, Kind::BlankLine}}));
    EXPECT_EQ(Places(Check("A - x VH\n")), (std::vector<At>{{1, Kind::TruncatedCoordinate}, {1, Kind::TruncatedCoordinate}}));
    EXPECT_EQ(Places(Check("A 1 2 kor\nB 1 2 \x01name\n")),
              (std::vector<At>{{1, Kind::UnknownFaction}, {2, Kind::UnknownFaction}}));
    EXPECT_EQ(Places(Check("Ctrl\x01Name 1 2 VH\n")), (std::vector<At>{{1, Kind::UnreadableName}}));
    EXPECT_FALSE(Check(std::string(1, '\0')).findings.empty());
}

TEST_F(DataFileCheck, TheSampleMapIsClean)
{
    CCheckReport report = CheckDataFile(SampleMap().string().c_str());
    ASSERT_TRUE(report.opened);
    EXPECT_EQ(report.errors + report.warnings, 0) << (report.findings.empty() ? "" : report.findings[0].message);
    EXPECT_EQ(report.planets, 360);
}

TEST_F(DataFileCheck, PlanetsBeyondTheLimitAreOneErrorWithTheirCount)
{
    std::ostringstream text;
    for (int i = 0; i < CStarMap::kMaxPlanets + 5; ++i)
        text << "P" << i % 32770 << " 1 1 VH\n";
    text << "P0 2 2 VH\n";
    CCheckReport report = Check(text.str());
    EXPECT_EQ(Places(report), (std::vector<At>{{32768, Kind::TooManyPlanets}}));
    EXPECT_NE(report.findings[0].message.find("6 planet lines beyond the 32767th"), std::string::npos);
    EXPECT_NE(report.findings[0].message.find("stops reading here"), std::string::npos);
    EXPECT_EQ(report.planets, 32773);
    EXPECT_EQ(report.planetsShown, 32767);
}

TEST_F(DataFileCheck, AFileOfEndlessFaultsGivesABoundedList)
{
    // Two errors in turn, so that no two lines in a row say the same.
    std::string lines;
    for (std::size_t i = 0; i < CCheckReport::kMaxListed + 7; ++i)
        lines += i % 2 ? "\n" : "Theta 5\n";
    CCheckReport report = Check(lines);
    EXPECT_EQ(report.errors, std::int64_t(CCheckReport::kMaxListed) + 7);
    EXPECT_EQ(report.findings.size(), CCheckReport::kMaxListed);
    EXPECT_EQ(report.unlisted, 7);
    EXPECT_FALSE(CheckDataFile(m_dir.Path().string().c_str()).opened) << "a folder";
    EXPECT_FALSE(CheckDataFile((m_dir.Path() / "missing.dat").string().c_str()).opened);
}

// The check reads as the loader reads: on any file its first error is the
// loader's failure, at the same line, with the same planets before it.
TEST_F(DataFileCheck, FirstErrorIsWhereTheLoaderStopsOnRandomFiles)
{
    const std::vector<std::string> fragments = {
        "Alpha", "Beta Prime", "12", "-4", "12.5", "7km", "-", "VH", "vh", "S", "X", " ", "\t", ";", "  ;",
        std::string(1, '\0'), "\r", "\x1a", "\xE9", "\xC3\xA9", "99999999999", std::string(40, 'w'),
    };
    std::mt19937 random(1207);
    std::uniform_int_distribution<std::size_t> pick(0, fragments.size() - 1);
    for (int file = 0; file < 250; ++file) {
        std::string bytes;
        for (int line = 0; line < 12; ++line) {
            int words = int(random() % 6);
            for (int w = 0; w < words; ++w)
                bytes += fragments[pick(random)] + (random() % 3 ? " " : "");
            bytes += random() % 4 ? "\n" : "\r\n";
        }
        std::string path = m_dir.Write("random.dat", bytes);
        CStarMap map;
        CLoadDiagnostic diagnostic;
        BOOL whole = map.LoadDataFile(path.c_str(), &diagnostic);
        CCheckReport report = CheckDataFile(path.c_str());
        ASSERT_EQ(whole == TRUE, report.errors == 0) << file;
        EXPECT_EQ(report.planetsShown, map.GetPlanetCount()) << file;
        if (whole)
            continue;
        auto first = std::find_if(report.findings.begin(), report.findings.end(), [](const CCheckFinding& f) {
            return f.Severity() == CCheckSeverity::Error;
        });
        ASSERT_NE(first, report.findings.end());
        EXPECT_EQ(first->line, diagnostic.line) << file;
        EXPECT_STREQ(first->message.substr(0, std::strlen(CLoadDiagnostic::Describe(diagnostic.cause))).c_str(),
                     CLoadDiagnostic::Describe(diagnostic.cause)) << file;
    }
}

// The same error on one line, or on lines in a row, is one finding with a
// count; the counts still count each, and different errors stay apart.
TEST_F(DataFileCheck, ARunOfIdenticalErrorsIsOneFindingWithItsCount)
{
    // A 1 MB line of one word: every piece of 79 is a name without
    // coordinates, and the line end after the last full piece a blank line.
    const std::size_t pieces = 12'659;
    CCheckReport report = Check(std::string(pieces * 79, 'x') + "\n");
    ASSERT_EQ(Places(report), (std::vector<At>{{1, Kind::LongLine}, {1, Kind::NameWithoutCoordinates},
                                               {1, Kind::NameWithoutCoordinates}, {1, Kind::BlankLine}}));
    EXPECT_EQ(report.findings[2].times, std::int64_t(pieces) - 1);
    EXPECT_EQ(report.findings[2].lastLine, 1);
    EXPECT_EQ(report.errors, std::int64_t(pieces) + 1);
    EXPECT_NE(report.findings[0].message.find("line of 1000061 characters"), std::string::npos);
    // Blank lines in a row, then another error, then blank lines again.
    report = Check("A 1 1 VH\n\n\n\n\nTheta 5\n\n\n");
    EXPECT_EQ(Places(report), (std::vector<At>{{2, Kind::BlankLine}, {3, Kind::BlankLine}, {6, Kind::NoYCoordinate},
                                               {7, Kind::BlankLine}}));
    EXPECT_EQ(report.findings[1].times, 3);
    EXPECT_EQ(report.findings[1].lastLine, 5);
    EXPECT_EQ(report.findings[3].times, 2);
    EXPECT_EQ(report.errors, 7);
    // A gap between two equal errors keeps them apart.
    EXPECT_EQ(Check("A 1 1 VH\n\nB 1 1 VH\n\nC 1 1 VH\n\n").findings.size(), 3u);
}

// A line longer than 2^31 characters: counted in 64 bits, from a sparse
// file that takes no room on the disk. Its 27 million pieces take seconds
// in a plain build and minutes under the address sanitizer, which runs the
// same counting on the shorter lines above.
TEST_F(DataFileCheck, ALineOfMoreThanTwoGigabytesIsCountedWhole)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "too slow under the address sanitizer";
#endif
    const std::string path = m_dir.Write("long.dat", "");
    const std::int64_t length = (std::int64_t(1) << 31) + 1000;
    int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(length)), 0);
    ::close(fd);
    CCheckReport report = CheckDataFile(path.c_str());
    ASSERT_GE(report.findings.size(), 2u);
    EXPECT_EQ(report.findings[0].kind, Kind::LongLine);
    EXPECT_EQ(report.findings[0].message.substr(0, 21), "line of 2147484648 ch");
    EXPECT_EQ(report.errors, (length + 78) / 79);
    EXPECT_LE(report.findings.size(), 4u);
}

// What the author meant, where the line tells it.
TEST_F(DataFileCheck, HintsForCodesThatAreNearlyRightOrInTheWrongPlace)
{
    CCheckReport report = Check("Alpha 1 2 VJ\nBeta 1 2 KRO\nGamma 1 2 Ulmarch\nDelta 1 2 X\nEps 1 2 feldrane\n"
                                "Outpost 7 120 40 QT\nZeta 1 2 40\nAshfall Station 55 QT\n");
    ASSERT_EQ(report.findings.size(), 8u);
    EXPECT_NE(report.findings[0].message.find("did you mean \"VH\" or \"NJ\"?"), std::string::npos);
    EXPECT_NE(report.findings[1].message.find("did you mean \"KOR\"?"), std::string::npos);
    EXPECT_NE(report.findings[2].message.find("did you mean \"KUL\"? Ulmarch is the legend's name"), std::string::npos);
    EXPECT_EQ(report.findings[3].message, "unknown faction code \"X\", drawn white");
    EXPECT_NE(report.findings[4].message.find("did you mean \"F\"?"), std::string::npos);
    EXPECT_NE(report.findings[5].message.find("the code \"QT\" follows it: is \"7\" part of the name?"),
              std::string::npos) << report.findings[5].message;
    EXPECT_EQ(report.findings[6].message.find("follows"), std::string::npos) << "no code after it";
    EXPECT_EQ(report.findings[7].kind, Kind::NoFactionCode);
    EXPECT_NE(report.findings[7].message.find("\"QT\" was read as the y coordinate: is y missing?"),
              std::string::npos) << report.findings[7].message;
    EXPECT_EQ(Check("Iota 5 6\n").findings[0].message.find("y missing"), std::string::npos);
}

// One byte that is not UTF-8, even in a comment, makes the whole file
// Windows-1252: the UTF-8 names turn to mojibake, which the check says at
// that byte's line.
TEST_F(DataFileCheck, EncodingsThatDoNotSayWhatTheAuthorMeant)
{
    CCheckReport report = Check("Z\xC3\xBCrich 1 1 VH\n; caf\xE9\nK\xC3\xB6ln 2 2 VH\n");
    ASSERT_EQ(Places(report), (std::vector<At>{{2, Kind::MixedEncoding}}));
    EXPECT_NE(report.findings[0].message.find("the 2 names written in UTF-8, such as \"Z\xC3\xBCrich\" on line 1, "
                                              "show as \"Z\xC3\x83\xC2\xBCrich\""), std::string::npos)
        << report.findings[0].message;
    EXPECT_EQ(report.warnings, 1);
    EXPECT_TRUE(Check("Z\xC3\xBCrich 1 1 VH\n; caf\xC3\xA9\n").findings.empty()) << "all UTF-8";
    EXPECT_TRUE(Check("Z\xFCrich 1 1 VH\n; caf\xE9\n").findings.empty()) << "all Windows-1252";
    // The second set of control characters, shown as escapes.
    report = Check("Bad\xC2\x85Name 1 1 VH\n");
    ASSERT_EQ(Places(report), (std::vector<At>{{1, Kind::C1Control}}));
    EXPECT_NE(report.findings[0].message.find("\"Bad\\u0085Name\" holds the control character U+0085"),
              std::string::npos) << report.findings[0].message;
    // UTF-16, with a byte order mark or by its NULs.
    for (const std::string& bytes : {std::string("\xFF\xFE" "A\0 \0" "1\0", 8), std::string("A\0 \0" "1\0 \0" "2\0", 10),
                                     std::string("\0A\0 \0" "1\0 ", 8)}) {
        report = Check(bytes);
        ASSERT_FALSE(report.findings.empty());
        EXPECT_EQ(report.findings[0].kind, Kind::Utf16Text);
        EXPECT_NE(report.findings[0].message.find("UTF-16"), std::string::npos);
    }
    EXPECT_EQ(Check(std::string("A 1 1 VH\0\0\0\n", 12)).findings[0].kind, Kind::NulByte);
}

// Planets past the scroll bars' reach: once, at the first, with the count.
TEST_F(DataFileCheck, PlanetsOutOfTheScrollBarsReachAreCounted)
{
    const std::string bytes = "Near 1 1 VH\nFar 2000 0 VH\nEdge 1862 -1862 VH\nDeep 0 -1863 VH\nFar 1 1 VH\n";
    // The window's reach in map units, as MapViewport.TheScrollBarsReachIsTheFarthestAnyZoomShows
    // pins it; the model's tests link no view.
    const int reach = 18625;
    CCheckReport report = CheckDataFile(m_dir.Write("far.dat", bytes).c_str(), reach);
    ASSERT_EQ(Places(report), (std::vector<At>{{2, Kind::OutOfView}, {5, Kind::DuplicateName}}));
    EXPECT_NE(report.findings[0].message.find("planet \"Far\" lies past what the window's scroll bars reach (1862.5 "),
              std::string::npos) << report.findings[0].message;
    EXPECT_NE(report.findings[0].message.find("2 planets lie out there"), std::string::npos);
    EXPECT_TRUE(Check(bytes).findings.size() == 1) << "without a reach, nothing is said";
}

TEST_F(DataFileCheck, AFileThatCannotBeReadSaysWhy)
{
    EXPECT_EQ(CheckDataFile((m_dir.Path() / "missing.dat").string().c_str()).reason, "No such file or directory");
    EXPECT_EQ(CheckDataFile(m_dir.Path().string().c_str()).reason, "Is a directory");
    EXPECT_EQ(CheckDataFile("/dev/zero").reason, "not a regular file");
    EXPECT_EQ(Check("A 1 1 VH\n").reason, "");
}
