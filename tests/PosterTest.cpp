// SPDX-License-Identifier: MIT
// Posters and pages at a scale: the sheets of a poster, their 8 by 10 inch
// areas laid side by side, are the printed page at as many times the
// resolution; the overlap repeats the neighbour's edge; the marks and the
// labels stay out of the areas; a scale of light years to the inch
// measures true; and the pages' files are written as safely as one.

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 24;
constexpr int kBorder = kDpi / 2;   // the area's place on its sheet
constexpr int kOverlap = kDpi / 4;

bool Dark(COLORREF c)
{
    return GetRValue(c) < 128;
}

// Planets, names, lines and circles over the whole page and across the
// seams between sheets.
std::string BusyMap()
{
    std::string text;
    for (int i = 0; i < 90; ++i) {
        int x = (i * 37) % 600 - 300, y = (i * 53) % 760 - 380;
        text += "P" + std::to_string(i) + " " + std::to_string(x) + " " + std::to_string(y) + " QT\n";
    }
    return text + "Morvath 10 -3 VR\n";
}

class Poster : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        m_err.str("");
        return RenderMain(args, m_err);
    }
    std::string Out(const std::string& name) const { return (m_dir.Path() / name).string(); }
    CImage Load(const std::string& name) const
    {
        CImage image;
        EXPECT_TRUE(image.Load(Out(name))) << name;
        return image;
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir m_dir;
    std::ostringstream m_err;
};

// Pixels of sheet in the rectangle at (x, y) of size w by h that differ in
// darkness from page at (px, py).
long Differing(const CImage& sheet, int x, int y, int w, int h, const CImage& page, int px, int py)
{
    long differ = 0;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx)
            differ += Dark(sheet.GetPixel(x + dx, y + dy)) != Dark(page.GetPixel(px + dx, py + dy));
    return differ;
}

long DarkIn(const CImage& image, int x, int y, int w, int h)
{
    return Differing(image, x, y, w, h, CImage(w, h, RGB(255, 255, 255)), 0, 0);
}

// The middle of the dark pixels in the columns from x0 to x1 and the rows
// from y0 to y1 (to the bottom when y1 is 0).
std::pair<double, double> DarkMiddle(const CImage& image, int x0, int x1, int y0 = 0, int y1 = 0)
{
    double sx = 0, sy = 0;
    long n = 0;
    for (int y = y0; y < (y1 > 0 ? y1 : image.Height()); ++y)
        for (int x = x0; x < x1; ++x)
            if (Dark(image.GetPixel(x, y))) {
                sx += x, sy += y, ++n;
            }
    EXPECT_GT(n, 0);
    return {sx / std::max(n, 1L), sy / std::max(n, 1L)};
}

} // namespace

TEST_F(Poster, TwoByTwoSheetsLaidTogetherAreThePageAtTwiceTheResolution)
{
    const std::string map = m_dir.Write("m.dat", BusyMap());
    const std::vector<std::string> look = {"--print", "--circles", "--truce", "--zoom", "9000", "--center",
                                           "200,-300", "--measure", "-3000,-2500,2500,3500"};
    auto run = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = look;
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(map);
        ASSERT_EQ(Run(args), 0) << m_err.str();
    };
    run({"--dpi", std::to_string(2 * kDpi), "-o", Out("whole.png")});
    run({"--dpi", std::to_string(2 * kDpi), "--pages", "1x1", "-o", Out("one.png")});
    EXPECT_EQ(ReadWholeFile(Out("one.png")), ReadWholeFile(Out("whole.png"))) << "1x1 is the page itself";
    fs::remove(Out("one.png"));
    run({"--dpi", std::to_string(kDpi), "--pages", "2x2", "-o", Out("poster.png")});
    run({"--dpi", std::to_string(kDpi), "--pages", "2x2", "-o", Out("poster.pdf")});
    EXPECT_EQ(Files(), (std::vector<std::string>{"m.dat", "poster-r1c1.png", "poster-r1c2.png", "poster-r2c1.png",
                                                 "poster-r2c2.png", "poster.pdf", "whole.png"}));
    const std::string pdf = ReadWholeFile(Out("poster.pdf"));
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 4);

    const CImage whole = Load("whole.png");
    const int w = 8 * kDpi, h = 10 * kDpi;
    long dark = 0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const std::string name = "poster-r" + std::to_string(row + 1) + "c" + std::to_string(column + 1) + ".png";
            const CImage sheet = Load(name);
            ASSERT_EQ(sheet.Width(), 9 * kDpi);
            ASSERT_EQ(sheet.Height(), 11 * kDpi);
            // The area is this sheet's quarter of the page, pixel for pixel.
            EXPECT_EQ(Differing(sheet, kBorder, kBorder, w, h, whole, column * w, row * h), 0) << name;
            dark += DarkIn(sheet, kBorder, kBorder, w, h);
            // Past its right edge the first sheet repeats its neighbour's
            // first quarter inch; the last column does not go on.
            const long past = Differing(sheet, kBorder + w, kBorder, kOverlap, h, whole, w, row * h);
            EXPECT_EQ(past, column == 0 ? 0 : DarkIn(whole, w, row * h, kOverlap, h)) << name;
            // The border beyond the overlap holds the marks at each corner
            // and the label above the area, and nothing of the map.
            const int far = kBorder + w + kOverlap;
            EXPECT_GT(DarkIn(sheet, 0, kBorder, kBorder - kOverlap, 1), 0) << name << ": a mark at the top left";
            EXPECT_GT(DarkIn(sheet, far, kBorder + h - 1, sheet.Width() - far, 1), 0)
                << name << ": a mark at the bottom right";
            EXPECT_GT(DarkIn(sheet, 2 * kBorder, 0, w / 2, kBorder), 0) << name << ": the label";
            EXPECT_EQ(DarkIn(sheet, far, kBorder + kBorder, sheet.Width() - far, h - 2 * kBorder), 0) << name;
        }
    }
    EXPECT_GT(dark, 2000) << "the sheets show the map";
}

TEST_F(Poster, AScaleOfLightYearsToTheInchMeasuresTheMapOnThePage)
{
    // Two planets without names, 50 light years apart (1000 map units),
    // one at the origin.
    const std::string map = m_dir.Write("two.dat", "0 0 QT\n60 80 QT\n");
    struct Case {
        const char* scale;
        int dpi;
        double inches;  // 50 light years at the scale
    };
    for (const Case c : {Case{"12.5", 50, 4.0}, Case{"10", 40, 5.0}, Case{"25", 96, 2.0}}) {
        ASSERT_EQ(Run({"--print", "--scale", c.scale, "--dpi", std::to_string(c.dpi), "--center", "300,-400", "-o",
                       Out("scaled.png"), map}),
                  0)
            << m_err.str();
        const CImage page = Load("scaled.png");
        ASSERT_EQ(page.Width(), 8 * c.dpi);
        // The centre, half-way between the two, is the area's middle.
        const int middle = 4 * c.dpi;
        auto [ax, ay] = DarkMiddle(page, 0, middle);
        auto [bx, by] = DarkMiddle(page, middle, page.Width());
        EXPECT_NEAR(std::hypot(bx - ax, by - ay) / c.dpi, c.inches, 1.5 / c.dpi) << c.scale;
        EXPECT_NEAR((ax + bx) / 2, middle, 1.5) << c.scale;
        EXPECT_NEAR((ay + by) / 2, 5 * c.dpi, 1.5) << c.scale;
    }
    // On a poster the scale is the poster's: the planets, 0.6 and 0.8
    // inches either side of its middle, fall on the bottom left and the top
    // right of 2x2 sheets, two inches apart when these are laid together.
    ASSERT_EQ(Run({"--print", "--pages", "2x2", "--scale", "25", "--dpi", std::to_string(kDpi), "--center",
                   "300,-400", "-o", Out("scaled.png"), map}),
              0)
        << m_err.str();
    const int w = 8 * kDpi, h = 10 * kDpi;
    auto [ax, ay] = DarkMiddle(Load("scaled-r2c1.png"), kBorder, kBorder + w, kBorder, kBorder + h);
    auto [bx, by] = DarkMiddle(Load("scaled-r1c2.png"), kBorder, kBorder + w, kBorder, kBorder + h);
    ay += h, bx += w;
    EXPECT_NEAR(std::hypot(bx - ax, by - ay) / kDpi, 2.0, 1.5 / kDpi);
    EXPECT_NEAR((ax + bx) / 2 - kBorder, w, 1.5);
    EXPECT_NEAR((ay + by) / 2 - kBorder, h, 1.5);
}

TEST_F(Poster, PagesThatCannotAllBeWrittenLeaveEveryNameAsItStood)
{
    const std::string map = m_dir.Write("m.dat", BusyMap());
    const std::string input = ReadWholeFile(map);
    const std::vector<std::string> args = {"--print", "--dpi", "12", "--pages", "2x2", "-o"};
    auto run = [&](const std::string& out) {
        std::vector<std::string> a = args;
        a.insert(a.end(), {Out(out), map});
        return Run(a);
    };
    // A page that is the input, through a link, and a page that is a
    // folder: refused before anything is made.
    fs::create_symlink(map, Out("in-r2c1.png"));
    fs::create_directory(Out("dir-r2c2.png"));
    for (const char* out : {"in.png", "dir.png"}) {
        EXPECT_EQ(run(out), 2) << out;
        EXPECT_NE(m_err.str().find("-r2c"), std::string::npos) << m_err.str();
        EXPECT_EQ(m_err.str().find('\n'), m_err.str().size() - 1) << "one line";
    }
    EXPECT_EQ(ReadWholeFile(map), input);
    EXPECT_EQ(Files(), (std::vector<std::string>{"dir-r2c2.png", "in-r2c1.png", "m.dat"}));

    // A disk that fills on the way: the page that stood there stays, and
    // no page or file of ours is left.
    fs::path full = m_dir.Path() / "full";
    fs::path log = m_dir.Path() / "log";
    std::string script = "printf old > \"$FULL/p-r1c2.png\"\nfill\n\"$RENDER\" --print --dpi 300 --pages 2x2 -o "
                         "\"$FULL/p.png\" \"" +
                         map + "\"\necho $? > \"$FULL/../status\"\ncp \"$FULL/p-r1c2.png\" \"$FULL/../kept\"\n" +
                         "ls -A \"$FULL\" > \"$FULL/../left\"\n";
    ProcessResult r = RunOnFullDisk(full, script, {"RENDER=" KESTRIN_RENDER_BIN}, log);
    if (r.status == kFullDiskRefused)
        GTEST_SKIP() << "no private mount namespace with a tmpfs here";
    ASSERT_TRUE(r.finished) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "status"), "2\n") << ReadWholeFile(log);
    EXPECT_NE(ReadWholeFile(log).find("No space left on device"), std::string::npos) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "kept"), "old");
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "left"), "fill\np-r1c2.png\n");
}
