// SPDX-License-Identifier: MIT
// kestrin-render --route with stops (--via) and as data (--format json|csv):
// the stops are passed in order, the data's legs are the text's, names
// survive other programs' readers, and every slip is a usage error. Two
// file units are one light year.

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;

class RouteVia : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        return RenderMain(args, m_out, m_err);
    }
    std::string Out(const std::string& name) const { return (m_dir.Path() / name).string(); }
    bool OneLineNaming(const std::string& what) const
    {
        const std::string e = m_err.str();
        return e.find(what) != std::string::npos && e.find('\n') == e.size() - 1;
    }

    TempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

// A at the origin, Z 20 light years east, M 20 north; N lies between M
// and Z so that no jump of 25 goes from M straight to Z.
const char* const kSquare = "A 0 0 VH\nM 0 40 VH\nN 20 40 QT\nZ 40 0 VH\nLone 400 400 VH\n";

} // namespace

TEST_F(RouteVia, StopsAreVisitedInOrder)
{
    const std::string map = m_dir.Write("m.dat", kSquare);
    ASSERT_EQ(Run({"--route", "A", "Z", "--jump", "25", map}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> Z: 20.0 Light Years\nTotal: 20.0 Light Years in 1 jump\n"
                           "Longest jump: 20.0 Light Years (--jump 20.0 or more finds a route)\n");
    ASSERT_EQ(Run({"--route", "A", "Z", "--jump", "25", "--via", "M", map}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> M: 20.0 Light Years\nM -> N: 10.0 Light Years\nN -> Z: 22.3 Light Years\n"
                           "Total: 52.3 Light Years in 3 jumps\n"
                           "Longest jump: 22.3 Light Years (--jump 22.4 or more finds a route)\n");
    // A stop may come back once another lies between.
    ASSERT_EQ(Run({"--route", "A", "Z", "--jump", "25", "--via", "M", "--via", "A", map}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "A -> M: 20.0 Light Years\nM -> A: 20.0 Light Years\nA -> Z: 20.0 Light Years\n"
                           "Total: 60.0 Light Years in 3 jumps\n"
                           "Longest jump: 20.0 Light Years (--jump 20.0 or more finds a route)\n");
}

TEST_F(RouteVia, AStretchWithoutARouteIsNamed)
{
    const std::string map = m_dir.Write("m.dat", kSquare);
    EXPECT_EQ(Run({"--route", "A", "Z", "--jump", "25", "--via", "M", "--via", "Lone", map}), 1);
    EXPECT_EQ(m_out.str(), "");
    EXPECT_TRUE(OneLineNaming("no route from \"M\" to \"Lone\" with jumps of at most 25 light years")) << m_err.str();
}

TEST_F(RouteVia, SlipsAreUsageErrors)
{
    const std::string map = m_dir.Write("m.dat", kSquare);
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--route", "A", "Z", "--jump", "25", "--via", "A", map}, "--via A"},
        {{"--route", "A", "Z", "--jump", "25", "--via", "M", "--via", "M", map}, "--via M"},
        {{"--route", "A", "Z", "--jump", "25", "--via", "Z", map}, "--via Z"},
        {{"--route", "A", "Z", "--jump", "25", "--via", "", map}, "--via"},
        {{"--via", "M", "-o", Out("x.png"), map}, "--via"},
        {{"--route", "A", "Z", "--jump", "25", "--format", "xml", map}, "--format"},
        {{"--route", "A", "Z", "--jump", "25", "--format", "json", "-o", Out("r.csv"), map}, "-o"},
        {{"--route", "A", "Z", "--jump", "25", "-o", Out("r.json"), map}, "-o"},
        {{"--route", "A", "Z", "--jump", "25", "--format", "csv", "--zoom", "300", "-o", Out("r.csv"), map},
         "draws no picture"},
        {{"--route", "A", "Z", "--jump", "25", "--via", "lone", map}, "no planet is named \"lone\"; did you mean \"Lone\""},
    };
    for (const auto& [args, what] : bad) {
        EXPECT_EQ(Run(args), 2) << what;
        EXPECT_EQ(m_out.str(), "") << what;
        EXPECT_TRUE(OneLineNaming(what)) << m_err.str();
    }
    EXPECT_FALSE(fs::exists(Out("r.csv")));
    EXPECT_FALSE(fs::exists(Out("r.json")));
}

// The picture holds every leg of every stretch, in the measure lines'
// yellow from the start to the goal, and the stop on the way shows: the
// picture of the route straight to the goal is another.
TEST_F(RouteVia, ThePictureDrawsEveryLeg)
{
    const std::string map = m_dir.Write("m.dat", "A 0 0 VH\nQ1 67 0 VH\nQ2 133 0 VH\nZ 200 0 VH\n");
    const std::vector<std::string> view = {"--size", "400x300", "--zoom", "2500", "--center", "1000,0"};
    std::vector<std::string> route = {"--route", "A", "Z", "--jump", "100", "--via", "Q2", "-o", Out("route.png")};
    route.insert(route.end(), view.begin(), view.end());
    route.push_back(map);
    ASSERT_EQ(Run(route), 0) << m_err.str();
    CImage picture;
    ASSERT_TRUE(picture.Load(Out("route.png")));
    // A at x 0 and Z at 2000 map units: pixels 0.12 a unit from 80 to 320.
    long yellow = 0;
    for (int x = 82; x < 318; ++x)
        yellow += picture.GetPixel(x, 150) == RGB(255, 255, 0);
    EXPECT_GE(yellow, 230);
    route.erase(route.begin() + 5, route.begin() + 7);
    route[6] = Out("straight.png");
    ASSERT_EQ(Run(route), 0) << m_err.str();
    EXPECT_NE(ReadWholeFile(Out("route.png")), ReadWholeFile(Out("straight.png")));
}

// CSV and JSON read back by Python's readers: the legs equal the text's,
// the totals their sums, and names with commas, quotes and letters beyond
// ASCII intact, to the standard output and to a file named by -o.
TEST_F(RouteVia, JsonAndCsvLegsAreTheTextLegs)
{
    const std::string map = m_dir.Write("m.dat", "Hub 0 0 VH\n\xC3\x86r\xC3\xB8, \"Prime\" 0 40 QT\nA,b 20 40 XX\n"
                                                 "End 40 0 VH\n");
    const std::vector<std::string> args = {"--route", "Hub", "End", "--jump", "25", "--via", "\xC3\x86r\xC3\xB8, \"Prime\""};
    std::vector<std::string> text = args, csv = args, json = args;
    text.push_back(map);
    ASSERT_EQ(Run(text), 0) << m_err.str();
    const std::string textFile = m_dir.Write("route.txt", m_out.str());
    csv.insert(csv.end(), {"--format", "csv", map});
    ASSERT_EQ(Run(csv), 0) << m_err.str();
    const std::string csvOut = m_out.str();
    json.insert(json.end(), {"--format", "json", "-o", Out("route.json"), map});
    ASSERT_EQ(Run(json), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "");
    const std::string csvFile = m_dir.Write("route.csv", csvOut);
    const std::string reader =
        "import csv, json, sys\n"
        "rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))\n"
        "d = json.load(open(sys.argv[2], encoding='utf-8'))\n"
        "text = open(sys.argv[3], encoding='utf-8').read().splitlines()\n"
        "legs = ['%s -> %s: %s Light Years' % (r[1], r[6], r[12]) for r in rows[1:-1]]\n"
        "assert legs == text[:-2], (legs, text)\n"
        "assert [[l['from']['name'], l['to']['name'], str(l['tenths'])] for l in d['legs']] == "
        "[[r[1], r[6], r[12]] for r in rows[1:-1]], (d, rows)\n"
        "assert [str(l['light_years']) for l in d['legs']] == [r[11] for r in rows[1:-1]]\n"
        "assert rows[-1][0] == 'total' and rows[-1][12] == str(d['total']['tenths'])\n"
        "assert text[-2] == 'Total: %s Light Years in %d jumps' % (rows[-1][12], d['total']['jumps'])\n"
        "assert d['total']['light_years'] == sum(l['light_years'] for l in d['legs'])\n"
        "for r in rows[1:-1]:\n"
        "    print('|'.join(r))\n";
    const fs::path log = m_dir.Path() / "read.log";
    ProcessResult r = RunProcess({"/usr/bin/python3", "-c", reader, csvFile, Out("route.json"), textFile},
                                 {"PYTHONIOENCODING=utf-8"}, 60, log);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.status, 0) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(log), "1|Hub|0|0|VH|Vahrenmark|Ærø, \"Prime\"|0|40|QT|Quentari|20|20.0\n"
                                  "2|Ærø, \"Prime\"|0|40|QT|Quentari|A,b|20|40|XX||10|10.0\n"
                                  "3|A,b|20|40|XX||End|40|0|VH|Vahrenmark|22|22.3\n");
}
