// SPDX-License-Identifier: MIT
// kestrin-render --export: the planets of a map as CSV and JSON, read back
// by another program's readers (Python's csv and json) and compared with
// what the map holds.

#include "tools/Renderer.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;

// Reads the CSV and the JSON export of one map, checks that the two agree,
// and prints each planet as name|x|y|faction|legend|colour, then the
// encoding and the load's result.
const char* const kReader =
    "import csv, json, sys\n"
    "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))\n"
    "assert rows[0] == ['name', 'x', 'y', 'faction', 'legend', 'colour'], rows[0]\n"
    "d = json.load(open(sys.argv[2], encoding='utf-8'))\n"
    "keys = ['name', 'x', 'y', 'faction', 'legend', 'colour']\n"
    "assert [[str(p[k]) for k in keys] for p in d['planets']] == rows[1:]\n"
    "for r in rows[1:]:\n"
    "    print('|'.join(r))\n"
    "print(d['encoding'], json.dumps(d['load']))\n";

class ExportCommand : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args)
    {
        m_out.str("");
        m_err.str("");
        return RenderMain(args, m_out, m_err);
    }
    // Both exports of map, through -o files, as kReader prints them; the
    // exit status of each goes to status.
    std::string ReadBack(const std::string& map, int& status)
    {
        const std::string csv = (m_dir.Path() / "planets.csv").string();
        const std::string json = (m_dir.Path() / "planets.json").string();
        status = Run({"--export", "csv", "-o", csv, map});
        EXPECT_EQ(Run({"--export", "json", "-o", json, map}), status);
        EXPECT_EQ(m_out.str(), "");
        const fs::path log = m_dir.Path() / "read.log";
        ProcessResult r = RunProcess({"/usr/bin/python3", "-c", kReader, csv, json}, {"PYTHONIOENCODING=utf-8"}, 60, log);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.status, 0) << ReadWholeFile(log);
        return ReadWholeFile(log);
    }

    TempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace

// Names with commas, quotes and letters beyond ASCII, in both encodings a
// map may have, and coordinates as the file wrote them (fractions cut).
TEST_F(ExportCommand, ReadBackEqualsTheLoadedMap)
{
    int status = -1;
    const std::string utf8 = m_dir.Write("utf8.dat", "; comment\nNew   Kelso\t-41 52 KOR capital\n"
                                                     "Say \"hi\", all 12.9 -7 VH\n\xC3\x86r\xC3\xB8 Prime 0 0 ZZ\n"
                                                     "7 8 S\n");
    EXPECT_EQ(ReadBack(utf8, status), "New Kelso|-41|52|KOR|Orvessa|#00ff00\n"
                                      "Say \"hi\", all|12|-7|VH|Vahrenmark|#ff8000\n"
                                      "Ærø Prime|0|0|ZZ||#ffffff\n"
                                      "|7|8|S|Solvane|#ffffff\n"
                                      "UTF-8 {\"complete\": true}\n");
    EXPECT_EQ(status, 0) << m_err.str();
    // A field with a comma or quotes is quoted, its quotes doubled.
    ASSERT_EQ(Run({"--export", "csv", utf8}), 0);
    EXPECT_NE(m_out.str().find("\r\n\"Say \"\"hi\"\", all\",12,-7,VH,"), std::string::npos) << m_out.str();
    const std::string cp1252 = m_dir.Write("cp1252.dat", "\xC6r\xF8 Prime 1 2 QT\nCaf\xE9, \x80st 3 4 F\n");
    EXPECT_EQ(ReadBack(cp1252, status), "Ærø Prime|1|2|QT|Quentari|#ff0000\n"
                                        "Café, €st|3|4|F|Feldrane Planet|#00c4c4\n"
                                        "Windows-1252 {\"complete\": true}\n");
    EXPECT_EQ(status, 0) << m_err.str();
}

// A map that stops part-way: the planets above the bad line, exit 1 and
// the message a picture gives; in JSON, the line and why.
TEST_F(ExportCommand, AMapThatStopsPartWayGivesItsPlanetsAndStatusOne)
{
    int status = -1;
    const std::string partial = m_dir.Write("partial.dat", "A 1 1 VH\nB 2 2 QT\n\nC 3 3 VH\n");
    EXPECT_EQ(ReadBack(partial, status), "A|1|1|VH|Vahrenmark|#ff8000\nB|2|2|QT|Quentari|#ff0000\n"
                                         "UTF-8 {\"complete\": false, \"line\": 3, \"cause\": \"blank line\"}\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(m_err.str(), "Error loading data file\n" + partial + ":3: blank line\n");
    // To the standard output when -o is not given.
    EXPECT_EQ(Run({"--export", "csv", partial}), 1);
    EXPECT_EQ(m_out.str(), "name,x,y,faction,legend,colour\r\nA,1,1,VH,Vahrenmark,#ff8000\r\n"
                           "B,2,2,QT,Quentari,#ff0000\r\n");
}

TEST_F(ExportCommand, UnreadableMapsBadValuesAndLostOutputExitTwo)
{
    const std::string map = m_dir.Write("m.dat", "A 1 1 VH\n");
    EXPECT_EQ(Run({"--export", "json", (m_dir.Path() / "none.dat").string()}), 2);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_NE(m_err.str().find("cannot open"), std::string::npos) << m_err.str();
    // Usage errors: one line naming the option.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--export", "xml", map},
             {"--export", "csv", "-o", (m_dir.Path() / "p.png").string(), map},
             {"--export", "csv", "--legend", map},
             {"--export", "csv", "--route", "A", "A", "--jump", "1", map},
             {"--export", "json", "--check", map}}) {
        EXPECT_EQ(Run(args), 2) << args[1];
        EXPECT_NE(m_err.str().find("--export"), std::string::npos) << m_err.str();
        EXPECT_EQ(m_err.str().find('\n'), m_err.str().size() - 1) << m_err.str();
    }
    // The input itself is never the output.
    EXPECT_EQ(Run({"--export", "csv", "-o", map, map}), 2);
    const std::string kept = m_dir.Write("kept.csv", "mine\n");
    EXPECT_EQ(Run({"--export", "csv", "-o", kept, map}), 0);
    EXPECT_EQ(ReadWholeFile(kept), "name,x,y,faction,legend,colour\r\nA,1,1,VH,Vahrenmark,#ff8000\r\n");
    // A full standard output is a failure, never a success.
    const fs::path log = m_dir.Path() / "full.log";
    for (const char* format : {"csv", "json"}) {
        ProcessResult r = RunProcess({"/bin/sh", "-c", "\"$RENDER\" --export " + std::string(format) +
                                                           " \"$MAP\" > /dev/full"},
                                     {"RENDER=" KESTRIN_RENDER_BIN, "MAP=" + map}, 60, log);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.status, 2) << format;
        EXPECT_NE(ReadWholeFile(log).find("cannot write the standard output"), std::string::npos) << ReadWholeFile(log);
    }
}
