#include "model/DataFileCheck.h"
#include "model/StarMap.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
    CCheckReport report = Check(std::string(CCheckReport::kMaxListed + 7, '\n'));
    EXPECT_EQ(report.errors, int(CCheckReport::kMaxListed) + 7);
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
