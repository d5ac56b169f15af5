// SPDX-License-Identifier: MIT
// kestrin-render's additions for pictures meant for people: the title and
// the scale bar stand where they are said to, on the screen picture and on
// the printed page, the bar measures exactly the light years on its label,
// --smooth changes only the edges, and every bad value is a usage error.

#include "tools/Renderer.h"

#include "view/MapViewport.h"

#include "platform/surface/Image.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

class PictureNotes : public ::testing::Test {
protected:
    CImage Render(std::vector<std::string> args)
    {
        const std::string out = (m_dir.Path() / "notes.png").string();
        std::filesystem::remove(out);
        args.insert(args.end(), {"-o", out, m_map});
        std::ostringstream err;
        EXPECT_EQ(RenderMain(args, err), 0) << err.str();
        CImage image;
        EXPECT_TRUE(image.Load(out));
        return image;
    }
    TempDir m_dir;
    // One planet, far from the top and the bottom left.
    std::string m_map = m_dir.Write("m.dat", "Hub 0 0 QT\n");
};

// The box around every pixel in which a and b differ, in rows from top
// to bottom.
CRect Differences(const CImage& a, const CImage& b, int top = 0, int bottom = 1 << 20)
{
    CRect box(a.Width(), a.Height(), -1, -1);
    for (int y = top; y < std::min(a.Height(), bottom); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                box = CRect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                            std::max(box.bottom, y));
    return box;
}

// The run of pixels of colour ink along row y from x.
int RunFrom(const CImage& image, int x, int y, COLORREF ink)
{
    int n = 0;
    while (image.GetPixel(x + n, y) == ink)
        ++n;
    return n;
}

// Pixels of a that are lit (a channel at a quarter of full or more) with no
// inked pixel of b (a tenth) within one pixel: the two thresholds keep a
// pixel at the edge of one from counting against the other. And the
// pixels of a between dark and lit.
struct Thresholded {
    long stray = 0;
    long partial = 0;
};

int Brightest(COLORREF c)
{
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
}

bool Lit(COLORREF c)
{
    return Brightest(c) >= 64;
}

bool Inked(COLORREF c)
{
    return Brightest(c) >= 24;
}

Thresholded LitWithinAPixel(const CImage& a, const CImage& b)
{
    Thresholded t;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const COLORREF c = a.GetPixel(x, y);
            t.partial += c != 0 && !Lit(c);
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = Inked(b.GetPixel(x + dx, y + dy));
            t.stray += Lit(c) && !near;
        }
    return t;
}

} // namespace

TEST_F(PictureNotes, SmoothChangesOnlyTheEdges)
{
    m_map = m_dir.Write("bright.dat", "Morvath 0 0 VH\nQuentar Prime 30 10 QT\nOrvel 12 -25 OR\nDrem 0 40 DM\n"
                                      "Far Reach -60 15 BND\nNjor 45 -40 NJ\n");
    for (const char* zoom : {"3000", "800"}) {
        const std::vector<std::string> view = {"--size", "360x240", "--zoom", zoom, "--circles", "--truce",
                                               "--measure", "-900,100,700,-500", "--title", "Ærø"};
        std::vector<std::string> smooth = view;
        smooth.push_back("--smooth");
        const CImage sharp = Render(view), soft = Render(smooth);
        const Thresholded softOnSharp = LitWithinAPixel(soft, sharp), sharpOnSoft = LitWithinAPixel(sharp, soft);
        EXPECT_EQ(softOnSharp.stray, 0) << zoom;
        EXPECT_EQ(sharpOnSoft.stray, 0) << zoom;
        EXPECT_GT(softOnSharp.partial, sharpOnSoft.partial + 50) << "the smooth one has soft edges";
    }
}

TEST_F(PictureNotes, TitleAtTheTopCentreAndABarThatMeasuresItsLabel)
{
    const std::vector<std::string> view = {"--size", "400x300", "--zoom", "1000"};
    const CImage plain = Render(view);
    std::vector<std::string> titled = view;
    titled.insert(titled.end(), {"--title", "Ærø \"<b>Sector</b>\""});
    const CRect title = Differences(plain, Render(titled));
    ASSERT_GE(title.right, title.left) << "a title is drawn";
    EXPECT_LE(title.bottom, 24);
    EXPECT_LE(std::abs((title.left + title.right) / 2 - 200), 2) << "centred";
    EXPECT_GT(title.right - title.left, 60) << "the markup is drawn as text";

    std::vector<std::string> barred = view;
    barred.push_back("--scale-bar");
    const CImage withBar = Render(barred);
    const CRect bar = Differences(plain, withBar);
    EXPECT_LT(bar.right, 200) << "left";
    EXPECT_GT(bar.top, 240) << "bottom";
    // The bar runs along its row from its start; its length measures its
    // light years under the picture's mapping, and is theirs to a pixel.
    const CMapViewport viewport(CSize(1000, 1000), CPoint(0, 0), CSize(400, 300));
    const CPoint start(8, 300 - 8 - 1);
    const std::optional<CScaleBar> expected = CMapViewport::ScaleBarAt(viewport.ScreenMapping(), start, 100);
    ASSERT_TRUE(expected);
    EXPECT_EQ(expected->lightYears, 10);
    EXPECT_EQ(RunFrom(withBar, start.x, start.y, RGB(255, 255, 255)), expected->pixels + 1);
    EXPECT_EQ(viewport.LightYearsBetween(start, CPoint(start.x + expected->pixels, start.y)), 10);
    EXPECT_LE(std::abs(expected->pixels - 10 * 20 * 300.0 / 1000), 1.0);

    // On the printed page, black on white, at the page's own scale.
    const CImage page = Render({"--print", "--dpi", "40", "--title", "T", "--scale-bar"});
    const CImage blank = Render({"--print", "--dpi", "40"});
    const CRect pageTitle = Differences(blank, page, 0, 200);
    EXPECT_LE(pageTitle.bottom, 12);
    EXPECT_LE(std::abs((pageTitle.left + pageTitle.right) / 2 - 160), 2) << "centred on the printed area";
    const CMapping pageMapping = CMapViewport(CSize(12500, 12500), CPoint(0, 0)).PageMapping(40, 40);
    const CPoint pageStart(3, 400 - 3 - 1);
    const std::optional<CScaleBar> pageBar = CMapViewport::ScaleBarAt(pageMapping, pageStart, 80);
    ASSERT_TRUE(pageBar);
    EXPECT_EQ(RunFrom(page, pageStart.x, pageStart.y, RGB(0, 0, 0)), pageBar->pixels + 1);
}

TEST_F(PictureNotes, BadValuesAreUsageErrorsNamingTheOption)
{
    const std::string out = (m_dir.Path() / "x.png").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--title", ""}, "--title"},
        {{"--title", "two\nlines"}, "--title"},
        {{"--title", "\xff"}, "--title"},
        {{"--legend", "--print"}, "--legend"},
        {{"--smooth", "--print"}, "--smooth"},
        {{"--scale-bar", "--zoom", "1"}, "--scale-bar"},
    };
    for (const auto& [args, option] : bad) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"-o", out, m_map});
        std::ostringstream err;
        EXPECT_EQ(RenderMain(all, err), 2) << option;
        EXPECT_NE(err.str().find(option), std::string::npos) << err.str();
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line";
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    std::ostringstream err;
    EXPECT_EQ(RenderMain({"--smooth", "-o", (m_dir.Path() / "x.svg").string(), m_map}, err), 2);
    EXPECT_EQ(RenderMain({"--title", "T", "-o", (m_dir.Path() / "x.html").string(), m_map}, err), 2);
    EXPECT_EQ(RenderMain({"--scale-bar", "--export", "csv", m_map}, err), 2);
}
