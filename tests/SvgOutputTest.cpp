// SPDX-License-Identifier: MIT
// SVG output of kestrin-render: well-formed XML whatever the names hold,
// the shapes of the map as vector elements, and, rasterised at the same
// size by another program (rsvg-convert), the same picture as the PNG on
// screen and on paper within the tolerance below.

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Two renderers antialias and place text in their own ways: a pixel
// matches when one within a pixel of it in the other picture is within
// kChannelSlack on every channel. At most kUnmatchedShare of the pixels,
// in either direction, may go unmatched (measured: under 0.02%). One
// measure line missing from a picture below is about twice that.
constexpr int kChannelSlack = 128;
constexpr double kUnmatchedShare = 0.001;

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= kChannelSlack &&
           std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= kChannelSlack &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= kChannelSlack;
}

// The share of a's pixels with no near pixel in b around the same place.
double UnmatchedShare(const CImage& a, const CImage& b)
{
    long unmatched = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    int bx = x + dx, by = y + dy;
                    found = bx >= 0 && by >= 0 && bx < b.Width() && by < b.Height() &&
                            Near(a.GetPixel(x, y), b.GetPixel(bx, by));
                }
            unmatched += !found;
        }
    return double(unmatched) / (double(a.Width()) * a.Height());
}

class SvgOutput : public ::testing::Test {
protected:
    int Render(std::vector<std::string> args, const std::string& out)
    {
        m_err.str("");
        args.insert(args.end(), {"-o", out, m_map});
        return RenderMain(args, m_err);
    }
    std::string Out(const std::string& name) const { return (m_dir.Path() / name).string(); }
    // The SVG file rasterised at width by height pixels.
    CImage Raster(const std::string& svg, int width, int height)
    {
        std::string png = svg + ".png";
        fs::path log = m_dir.Path() / "rsvg.log";
        ProcessResult r = RunProcess({"/usr/bin/rsvg-convert", "-w", std::to_string(width), "-h",
                                      std::to_string(height), "-b", "white", "-o", png, svg}, {}, 120, log);
        EXPECT_TRUE(r.finished && r.status == 0) << "rsvg-convert (librsvg2-bin, from scripts/deps): "
                                                 << ReadWholeFile(log);
        CImage image;
        EXPECT_TRUE(image.Load(png));
        return image;
    }
    // Draws args as PNG and as SVG; returns the unmatched shares both ways.
    std::pair<double, double> Compare(const std::vector<std::string>& pngArgs, const std::vector<std::string>& svgArgs)
    {
        EXPECT_EQ(Render(pngArgs, Out("a.png")), 0) << m_err.str();
        EXPECT_EQ(Render(svgArgs, Out("a.svg")), 0) << m_err.str();
        CImage png;
        EXPECT_TRUE(png.Load(Out("a.png")));
        CImage svg = Raster(Out("a.svg"), png.Width(), png.Height());
        if (svg.Width() != png.Width() || svg.Height() != png.Height())
            return {1.0, 1.0};
        return {UnmatchedShare(png, svg), UnmatchedShare(svg, png)};
    }

    TempDir m_dir;
    std::ostringstream m_err;
    std::string m_map = m_dir.Write(
        "m.dat", "Hub 0 0 QT\nMorvath 30 -20 VR\nKessel Reach -45 35 KOR\nTarn 80 60 E\nOutlier 9000 9000 VH\n");
};

} // namespace

TEST_F(SvgOutput, TheRasterMatchesThePngOnScreenAndOnPaper)
{
    const std::vector<std::string> screen = {"--size", "400x300", "--zoom", "300", "--circles", "--truce",
                                             "--legend", "--measure", "0,0,300,-200"};
    auto [pngSide, svgSide] = Compare(screen, screen);
    EXPECT_LE(pngSide, kUnmatchedShare);
    EXPECT_LE(svgSide, kUnmatchedShare);
    const std::vector<std::string> paper = {"--print", "--dpi", "25", "--zoom", "300", "--circles", "--measure",
                                            "0,0,300,-200"};
    auto [pagePng, pageSvg] = Compare(paper, paper);
    EXPECT_LE(pagePng, kUnmatchedShare);
    EXPECT_LE(pageSvg, kUnmatchedShare);
    // The tolerance is tight enough to see one measure line missing.
    std::vector<std::string> noLine = screen;
    noLine.resize(noLine.size() - 2);
    auto [withLine, without] = Compare(screen, noLine);
    EXPECT_GT(std::max(withLine, without), kUnmatchedShare) << "a measure line left out of the SVG";
    std::vector<std::string> pageNoLine = paper;
    pageNoLine.resize(pageNoLine.size() - 2);
    auto [pageLine, pageNone] = Compare(paper, pageNoLine);
    EXPECT_GT(std::max(pageLine, pageNone), kUnmatchedShare) << "a measure line left out of the page";
}

// An XML reader (Python's expat) takes the document whatever the
// names hold, and finds one text element per name on the picture over an
// opaque box, a circle per planet, and none for what lies outside.
TEST_F(SvgOutput, ItIsWellFormedXmlWithTheMapsShapes)
{
    m_map = m_dir.Write("odd.dat", "A<b>&c\"d' 0 0 VH\nCtl\x01\x02\x1f\x7fX 10 10 QT\nZ\xfcrich\x81 20 -10 E\n"
                                   "Far Away 5000 5000 VH\n");
    ASSERT_EQ(Render({"--size", "300x300", "--zoom", "200", "--center", "100,0"}, Out("odd.svg")), 0) << m_err.str();
    const std::string reader =
        "import sys, xml.dom.minidom as m\n"
        "d = m.parse(sys.argv[1])\n"
        "texts = ''.join(t.firstChild.data + '|' for t in d.getElementsByTagName('text'))\n"
        "print('texts', texts.encode('unicode_escape').decode())\n"
        "print('circles', len(d.getElementsByTagName('circle')) + len(d.getElementsByTagName('ellipse')))\n"
        "print('rects', len(d.getElementsByTagName('rect')))\n";
    fs::path log = m_dir.Path() / "xml.log";
    ProcessResult r = RunProcess({"/usr/bin/python3", "-c", reader, Out("odd.svg")}, {}, 60, log);
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.status, 0) << ReadWholeFile(log);
    // Windows-1252 names (the map is not UTF-8): a control character becomes
    // U+FFFD, as does 0x81, which stands for no character.
    // The toolkit may write a name in pieces, one per font; the boxes and
    // circles are the three planets' on the picture, and the background.
    std::string read = ReadWholeFile(log);
    std::erase(read, '|');
    EXPECT_EQ(read, "texts A<b>&c\"d'Ctl\\ufffd\\ufffd\\ufffd\\x7fXZ\\xfcrich\\ufffd\n"
                    "circles 3\n"
                    "rects 4\n");
}
