// SPDX-License-Identifier: MIT
#include "tools/RenderOptions.h"
#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

class Render : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args)
    {
        m_err.str("");
        return RenderMain(args, m_err);
    }
    TempDir m_dir;
    std::ostringstream m_err;
};

} // namespace

TEST_F(Render, WritesThePictureAndExitsZero)
{
    std::string map = m_dir.Write("m.dat", "Hub 0 0 QT\n");
    std::string out = (m_dir.Path() / "out.png").string();
    EXPECT_EQ(Run({"--size", "320x200", "--zoom", "100", "--legend", "-o", out, map}), 0);
    CImage image;
    ASSERT_TRUE(image.Load(out));
    EXPECT_EQ(image.Width(), 320);
    EXPECT_EQ(image.Height(), 200);
    EXPECT_EQ(image.GetPixel(160, 100 - 10), RGB(255, 0, 0));
}

TEST_F(Render, PartialLoadWritesThePartialMapAndNamesThePlace)
{
    std::string map = m_dir.Write("broken.dat", "; head\nHub 0 0 QT\nLost 12\n");
    std::string out = (m_dir.Path() / "out.png").string();
    EXPECT_EQ(Run({"-o", out, map}), 1);
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(m_err.str(), "Error loading data file\n" + map + ":3: no y coordinate\n");
}

TEST_F(Render, UsageAndFileErrorsExitTwoWithoutAPicture)
{
    std::string map = m_dir.Write("m.dat", "Hub 0 0 QT\n");
    std::string out = (m_dir.Path() / "out.png").string();
    const std::vector<std::vector<std::string>> bad = {
        {map},
        {"-o", out},
        {"--size", "0x10", "-o", out, map},
        {"--zoom", "0", "-o", out, map},
        {"--zoom", "12501", "-o", out, map},
        {"--center", "1", "-o", out, map},
        {"--measure", "1,2,3", "-o", out, map},
        {"--bogus", "-o", out, map},
        // Sheets from 1x1 to 8x8; a scale of light years to the inch above
        // 0; both for the printed page only, the scale instead of the zoom.
        {"--print", "--pages", "0x1", "-o", out, map},
        {"--print", "--pages", "9x1", "-o", out, map},
        {"--print", "--pages", "2x", "-o", out, map},
        {"--print", "--pages", "x2", "-o", out, map},
        {"--print", "--pages", "-1x2", "-o", out, map},
        {"--print", "--pages", "two", "-o", out, map},
        {"--pages", "2x2", "-o", out, map},
        {"--print", "--pages", "2x2", "-o", (m_dir.Path() / "out.svg").string(), map},
        {"--print", "--scale", "0", "-o", out, map},
        {"--print", "--scale", "-3", "-o", out, map},
        {"--print", "--scale", "nan", "-o", out, map},
        {"--print", "--scale", "inf", "-o", out, map},
        {"--scale", "25", "-o", out, map},
        {"--print", "--scale", "25", "--zoom", "3000", "-o", out, map},
        // The notes and a route's sketch are placed on the one page.
        {"--print", "--pages", "2x2", "--title", "T", "-o", out, map},
        {"--print", "--scale", "25", "--scale-bar", "-o", out, map},
        {"--route", "Hub", "Hub", "--jump", "5", "--print", "--pages", "2x1", "-o", out, map},
        {"-o", out, (m_dir.Path() / "missing.dat").string()},
        {"-o", (m_dir.Path() / "no" / "such" / "dir.png").string(), map},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), 2) << args[0];
        EXPECT_FALSE(m_err.str().empty());
        for (const char* option : {"--pages", "--scale"})
            if (std::find(args.begin(), args.end(), option) != args.end()) {
                EXPECT_NE(m_err.str().find(option), std::string::npos) << m_err.str();
            }
        EXPECT_EQ(m_err.str().find('\n'), m_err.str().size() - 1) << "one line";
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(Render, PrintedPageIsEightByTenInchesBlackOnWhite)
{
    std::string map = m_dir.Write("m.dat", "Hub 0 0 QT\n");
    std::string out = (m_dir.Path() / "page.png").string();
    ASSERT_EQ(Run({"--print", "--dpi", "30", "--circles", "-o", out, map}), 0);
    CImage page;
    ASSERT_TRUE(page.Load(out));
    EXPECT_EQ(page.Width(), 240);
    EXPECT_EQ(page.Height(), 300);
    EXPECT_EQ(page.GetPixel(0, 0), RGB(255, 255, 255));
    // The 6000-unit circle at 240/12500 pixels a unit reaches 115 pixels left of the middle.
    EXPECT_EQ(page.GetPixel(120 - 115, 150), RGB(0, 0, 0));
}
