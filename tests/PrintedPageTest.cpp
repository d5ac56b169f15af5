// SPDX-License-Identifier: MIT
// kestrin-render's printed page comes out the same as a picture and as a
// PDF: both go through the view's print job, one onto an image page, the
// other through the PDF writer. Rasterised at the same resolution (by
// pdftoppm, without smoothing), the PDF shows the same page in its
// printable area, a quarter inch in. The PDF is on the platform's default
// paper: on A4 that area is narrower than the page's eight inches, and the
// columns past it are not compared. Circles are left out: their outlines
// are curves that the two rasterisers approximate differently, a pixel
// apart here and there.

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "TestFiles.h"
#include "NeededTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kDpi = 48;
constexpr int kBorder = kDpi / 4;  // the PDF page's quarter-inch margin

// Planets spread over the page, far enough apart to be single dots.
std::string SpreadPlanets()
{
    std::string text;
    for (int i = 0; i < 120; ++i) {
        int x = (i * 37) % 240 - 120, y = (i * 53) % 300 - 150;
        text += "P" + std::to_string(i) + " " + std::to_string(x * 5) + " " + std::to_string(y * 5) + " QT\n";
    }
    return text + "Morvath 10 -73 VR\n";
}

bool Dark(COLORREF c)
{
    return GetRValue(c) < 128;
}

// How two black-on-white pictures of one size compare pixel for pixel.
struct Agreement {
    long dark = 0;      // dark in either picture
    long differ = 0;    // dark in one only
    long farOff = 0;    // of those, with no dark pixel next to it in the other
};

bool DarkNear(const CImage& image, int x0, int y0, int dx, int dy)
{
    for (int y = y0 - 1; y <= y0 + 1; ++y)
        for (int x = x0 - 1; x <= x0 + 1; ++x)
            if (Dark(image.GetPixel(x + dx, y + dy)))
                return true;
    return false;
}

// The first width columns of a against the part of b that starts at (dx, dy).
Agreement Compare(const CImage& a, const CImage& b, int dx, int dy, int width)
{
    Agreement r;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            bool inA = Dark(a.GetPixel(x, y)), inB = Dark(b.GetPixel(x + dx, y + dy));
            r.dark += inA || inB;
            if (inA == inB)
                continue;
            ++r.differ;
            r.farOff += inA ? !DarkNear(b, x, y, dx, dy) : !DarkNear(a, x + dx, y + dy, -dx, -dy);
        }
    }
    return r;
}

} // namespace

TEST(PrintedPage, APictureAndAPdfOfThePageAgreePixelForPixel)
{
    NEED_TOOL("pdftoppm", "(poppler-utils) to look at the PDF page");
    TempDir dir;
    std::string map = dir.Write("spread.dat", SpreadPlanets());
    std::string png = (dir.Path() / "page.png").string(), pdf = (dir.Path() / "page.pdf").string();
    // The truce line, and measure lines across, down and at two shallow
    // slants whose midpoints, where the labels go, lie off the page: a
    // label's cell at this scale is a rectangle under a pixel tall, which
    // the two rasterisers fill differently. Steep lines are left out for
    // the same reason: poppler rounds each of their steps the other way.
    const std::vector<std::string> page = {"--print", "--dpi", std::to_string(kDpi), "--truce", "--zoom", "9000",
                                           "--center", "300,-200", "--measure", "-4000,-3000,60000,-3000",
                                           "--measure", "-3500,-4500,-3500,60000", "--measure",
                                           "-4000,4000,60000,-40000", "--measure", "-4000,-4000,60000,-30000"};
    std::ostringstream err;
    for (const std::string& out : {png, pdf}) {
        std::vector<std::string> args = page;
        args.insert(args.end(), {"-o", out, map});
        ASSERT_EQ(RenderMain(args, err), 0) << err.str();
    }
    std::string raster = (dir.Path() / "pdf").string();
    std::string command = "pdftoppm -r " + std::to_string(kDpi) + " -aa no -aaVector no -png -singlefile '" + pdf +
                          "' '" + raster + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    CImage picture, paper;
    ASSERT_TRUE(picture.Load(png));
    ASSERT_TRUE(paper.Load(raster + ".png"));
    ASSERT_EQ(picture.Width(), 8 * kDpi);
    ASSERT_EQ(picture.Height(), 10 * kDpi);
    // Letter holds the eight inches; A4's printable area a quarter inch less.
    int shown = std::min(picture.Width(), paper.Width() - 2 * kBorder - 1);
    ASSERT_GE(shown, picture.Width() - kBorder);

    Agreement a = Compare(picture, paper, kBorder, kBorder, shown);
    EXPECT_GT(a.dark, 1000) << "the page shows planets and lines";
    // Every planet and every line lands on the same pixel. Qt draws the
    // picture and poppler the PDF; should a version of either round a
    // line's step the other way, that is one pixel off, and rare.
    EXPECT_EQ(a.farOff, 0) << a.differ << " of " << a.dark << " dark pixels differ";
    EXPECT_LE(a.differ * 100, a.dark) << a.differ << " of " << a.dark << " dark pixels differ";
    // The same comparison one pixel off disagrees everywhere: it would see a
    // page that moved.
    Agreement shifted = Compare(picture, paper, kBorder + 1, kBorder, shown);
    EXPECT_GT(shifted.differ * 2, shifted.dark);
}
