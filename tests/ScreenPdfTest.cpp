// SPDX-License-Identifier: MIT
// kestrin-render -o NAME.pdf without --print: the screen picture as a
// colour PDF page of the picture's size, which shows what the PNG shows in
// the same colours (rasterised by pdftoppm without smoothing).

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "NeededTool.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::set<COLORREF> ColoursOf(const CImage& image)
{
    std::set<COLORREF> colours;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            colours.insert(image.GetPixel(x, y));
    return colours;
}

} // namespace

TEST(ScreenPdf, AColourPageOfThePictureShowsTheFactionColours)
{
    NEED_TOOL("pdftoppm", "(poppler-utils) to look at the PDF page");
    TempDir dir;
    // Planets of five factions, each with a long name: its letters' stems
    // are solid runs of the faction's colour.
    const std::string map = dir.Write("m.dat", "Redmarch 0 0 QT\nOrangehold 20 20 VH\nBluefall -20 20 UL\n"
                                               "Ambermoor 20 -20 RPF\nRoseward -20 -20 GW\n");
    const std::string png = (dir.Path() / "map.png").string(), pdf = (dir.Path() / "map.pdf").string();
    std::ostringstream err;
    for (const std::string& out : {png, pdf})
        ASSERT_EQ(RenderMain({"--size", "320x240", "--zoom", "400", "--legend", "-o", out, map}, err), 0) << err.str();
    std::ifstream head(pdf, std::ios::binary);
    std::string magic(5, '\0');
    head.read(magic.data(), 5);
    EXPECT_EQ(magic, "%PDF-");
    const std::string raster = (dir.Path() / "pdf").string();
    ASSERT_EQ(std::system(("pdftoppm -r 72 -aa no -aaVector no -png -singlefile '" + pdf + "' '" + raster + "'").c_str()),
              0);
    CImage picture, page;
    ASSERT_TRUE(picture.Load(png));
    ASSERT_TRUE(page.Load(raster + ".png"));
    EXPECT_EQ(page.Width(), 320) << "one point a pixel";
    EXPECT_EQ(page.Height(), 240);
    EXPECT_EQ(page.GetPixel(300, 200), RGB(0, 0, 0)) << "on black";
    // Every colour of the picture (black, the legend's seventeen rows, the
    // planets' five) is on the page too; a page in black and white would
    // show two.
    const std::set<COLORREF> shown = ColoursOf(page);
    std::set<COLORREF> wanted = ColoursOf(picture);
    EXPECT_GE(wanted.size(), 15u);
    for (COLORREF c : wanted)
        EXPECT_TRUE(shown.count(c)) << std::hex << c;
}
