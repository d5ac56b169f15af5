// SPDX-License-Identifier: MIT
// kestrin-render --check as a user meets it: one line per problem at its
// physical line, a summary, the exit status by the worst finding, and the
// same findings as a JSON document that a JSON reader accepts.

#include "tools/Renderer.h"

#include "model/map/StarMap.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct Expected {
    int line;
    const char* severity;
    const char* words;  // a part of the message
};

// Lines 1 to 16 hold every warning and then every error but the last
// two; 32760 planets follow, so that the 32768th is at line 32774, and a
// Ctrl+Z ends the last line early.
std::string EveryProblem()
{
    std::string text = "; comment\nAlpha 1 2 VH\nBeta 12.7 7km QT\nGamma 3 4 vh\nDelta 5 6 X\n"
                       "  ; not a comment 1 2 VH\nAlpha 7 8 QT\nEpsilon 9 9 VH" + std::string(1, '\0') +
                       "junk\nZeta 1 1 VH\rjunk\r\nZ\x81ta 2 2 VH\nEta 3 3 VH" + std::string(69, ' ') +
                       ";rest of a long line\n\nLonely Words\nTheta 5\nIota 5 6\nKappa 99999999999 1 VH\n";
    for (int i = 0; i < 32760; ++i)
        text += "P" + std::to_string(i) + " 1 1 VH\n";
    return text + "Lambda 1 1 VH \x1a" "Mu 1 1 VH\n";
}

const std::vector<Expected> kEveryProblem = {
    {3, "warning", "\"12.7\" is read as 12"},
    {3, "warning", "\"7km\" is read as 7"},
    {4, "warning", "did you mean \"VH\"?"},
    {5, "warning", "unknown faction code \"X\""},
    {6, "warning", "\";\" after leading blanks"},
    {7, "warning", "\"Alpha\" was given before, on line 2"},
    {8, "warning", "NUL byte"},
    {9, "warning", "carriage return without a line feed"},
    {10, "warning", "neither UTF-8 nor Windows-1252"},
    {11, "warning", "line of 99 characters"},
    {12, "error", "blank line (the viewer stops reading here: the lines below are not shown)"},
    {13, "error", "name without coordinates: \"Lonely Words\""},
    {14, "error", "no y coordinate"},
    {15, "error", "no faction code"},
    {16, "error", "coordinate out of range: \"99999999999\""},
    {32774, "error", "4 planet lines beyond the 32767th"},
    {32777, "warning", "Ctrl+Z"},
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class CheckCommand : public ::testing::Test {
protected:
    int Check(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        args.insert(args.begin(), "--check");
        return RenderMain(args, m_out, m_err);
    }
    // What the loader makes of path: its result, the line it stopped at
    // and the planets it kept.
    std::string LoaderResult(const std::string& path)
    {
        CStarMap map;
        CLoadDiagnostic diagnostic;
        BOOL whole = map.LoadDataFile(path.c_str(), &diagnostic);
        return std::to_string(whole) + ":" + std::to_string(diagnostic.line) + ":" +
               std::to_string(map.GetPlanetCount());
    }

    TempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace

TEST_F(CheckCommand, EveryProblemAtItsPhysicalLineInOrderThenASummaryExitsOne)
{
    const std::string bytes = EveryProblem();
    std::string map = m_dir.Write("every.dat", bytes);
    const std::string loaded = LoaderResult(map);
    EXPECT_EQ(loaded, "0:12:10");
    ASSERT_EQ(Check({map}), 1) << m_err.str();
    EXPECT_EQ(m_err.str(), "");
    std::vector<std::string> lines = Lines(m_out.str());
    ASSERT_EQ(lines.size(), kEveryProblem.size() + 1) << m_out.str();
    for (size_t i = 0; i < kEveryProblem.size(); ++i) {
        const Expected& e = kEveryProblem[i];
        std::string head = map + ":" + std::to_string(e.line) + ": " + e.severity + ": ";
        EXPECT_EQ(lines[i].substr(0, head.size()), head) << i;
        EXPECT_NE(lines[i].find(e.words), std::string::npos) << lines[i];
    }
    EXPECT_EQ(lines.back(), map + ": 32771 planets read (the viewer shows 10), 6 errors, 11 warnings");
    // The check reads and never changes: the file and the loader's result stay.
    EXPECT_EQ(ReadWholeFile(map), bytes);
    EXPECT_EQ(LoaderResult(map), loaded);
}

TEST_F(CheckCommand, WarningsOnlyExitThreeACleanMapZeroAndAnUnreadableFileTwo)
{
    std::string warned = m_dir.Write("warned.dat", "Hub 0 0 QT\nHub 1 1 qt\n");
    EXPECT_EQ(Check({warned}), 3);
    EXPECT_EQ(Lines(m_out.str()).back(), warned + ": 2 planets read, 0 errors, 2 warnings");
    EXPECT_EQ(LoaderResult(warned), "1:0:2");

    std::string sample = (std::filesystem::path(__FILE__).parent_path().parent_path() / "samples" / "kestrin.dat").string();
    EXPECT_EQ(Check({sample}), 0) << m_out.str();
    EXPECT_EQ(m_out.str(), sample + ": 360 planets read, 0 errors, 0 warnings\n");
    EXPECT_EQ(Check({"--json", sample}), 0);

    EXPECT_EQ(Check({(m_dir.Path() / "missing.dat").string()}), 2);
    EXPECT_NE(m_err.str().find("cannot open"), std::string::npos);
    EXPECT_EQ(Check({m_dir.Path().string()}), 2) << "a folder";
    EXPECT_EQ(m_out.str(), "");
    // Options that make no sense with it are usage errors, with nothing read.
    EXPECT_EQ(Check({"-o", (m_dir.Path() / "x.png").string(), warned}), 2);
    EXPECT_EQ(Check({"--route", "Hub", "Hub", "--jump", "5", warned}), 2);
    EXPECT_EQ(RenderMain({"--json", warned}, m_out, m_err), 2);
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "x.png"));
}

// A JSON reader (Python's) takes the document, and finds the findings the
// text form lists, even where names and the file name hold quotes,
// backslashes, control bytes and bytes that are not UTF-8; those bytes of
// the file name are kept as escapes that give them back.
TEST_F(CheckCommand, TheJsonFormParsesAndHoldsTheSameFindings)
{
    const std::vector<std::string> maps = {
        m_dir.Write("every.dat", EveryProblem()),
        m_dir.Write("odd \"name\"\\\x01\xFF.dat", "Say \"hi\"\\ 1 1 vh\nTab\tBell\x07 2 2 QT\nZ\x81 3 3 VH\n\x7F 4 4 VH\n"),
        m_dir.Write("clean.dat", "Hub 0 0 QT\n"),
    };
    const std::string reader =
        "import json, os, sys\n"
        "d = json.load(open(sys.argv[1], encoding='utf-8'))\n"
        "for f in d['findings']:\n"
        "    print('%d %s %s %s' % (f['line'], f['severity'], f['kind'], f['message']))\n"
        "print(os.fsencode(d['file']) == os.fsencode(sys.argv[2]), d['planets'], d['errors'], d['warnings'])\n";
    for (const std::string& map : maps) {
        const int status = Check({map});
        ASSERT_EQ(Check({"--json", map}), status);
        std::string json = m_dir.Write("report.json", m_out.str());
        std::filesystem::path log = m_dir.Path() / "read.log";
        ProcessResult r = RunProcess({"/usr/bin/python3", "-c", reader, json, map}, {}, 60, log);
        ASSERT_TRUE(r.finished);
        ASSERT_EQ(r.status, 0) << ReadWholeFile(log) << m_out.str();
        std::vector<std::string> read = Lines(ReadWholeFile(log));
        Check({map});
        std::vector<std::string> text = Lines(m_out.str());
        ASSERT_EQ(read.size(), text.size()) << ReadWholeFile(log);
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            // "FILE:LINE: severity: message" against "LINE severity kind message".
            std::string line = read[i].substr(0, read[i].find(' '));
            std::string severity = read[i].substr(line.size() + 1, read[i].find(' ', line.size() + 1) - line.size() - 1);
            std::string message = read[i].substr(read[i].find(' ', line.size() + severity.size() + 2) + 1);
            EXPECT_NE(text[i].find(":" + line + ": " + severity + ": " + message), std::string::npos)
                << text[i] << "\n" << read[i];
        }
        // The file name comes back byte for byte, bytes that are not UTF-8 too.
        EXPECT_EQ(read.back().substr(0, 5), "True ") << read.back();
    }
}

// Identical errors in a row are one line with their count, in both forms.
TEST_F(CheckCommand, ARunOfIdenticalErrorsIsOneLineWithItsCount)
{
    std::string map = m_dir.Write("blank.dat", "A 1 1 VH\n\n\n\n\n");
    ASSERT_EQ(Check({map}), 1);
    EXPECT_EQ(m_out.str(), map + ":2: error: blank line (the viewer stops reading here: the lines below are not shown)\n" +
                               map + ":3: error: blank line (3 times on lines 3 to 5)\n" + map +
                               ": 1 planet read, 4 errors, 0 warnings\n");
    ASSERT_EQ(Check({"--json", map}), 1);
    EXPECT_NE(m_out.str().find("\"message\": \"blank line\", \"times\": 3, \"lastLine\": 5}"), std::string::npos)
        << m_out.str();
}
