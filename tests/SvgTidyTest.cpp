// SPDX-License-Identifier: MIT
// The tidying of the toolkit's SVG documents: what it drops draws nothing,
// and what XML cannot hold never reaches the file.

#include "platform/surface/qt/SvgTidy.h"

#include <gtest/gtest.h>

TEST(SvgTidy, DropsEmptyGroupsAndGroupFontsKeepsEveryShape)
{
    const std::string qt =
        "<svg>\n"
        "<g fill=\"none\" stroke=\"#ff0000\" transform=\"matrix(1,0,0,1,0,0)\"\n"
        "font-family=\"Arial\" font-size=\"11\" \n"
        ">\n"
        "</g>\n"
        "\n"
        "<g fill=\"#ff0000\" transform=\"matrix(1,0,0,1,0,0)\"\n"
        "font-family=\"Arial\" font-size=\"11\" \n"
        ">\n"
        "<rect x=\"1.5\" y=\"2.5\" width=\"1\" height=\"1\"/>\n"
        "</g>\n"
        "<g fill=\"none\" transform=\"matrix(0.5,0,0,0.5,3,4)\"\n"
        "font-family=\"Arial\" font-size=\"11\" \n"
        ">\n"
        "<text font-family=\"Arial\" font-size=\"11\" \n"
        " >Hub</text>\n"
        "</g>\n"
        "</svg>\n";
    EXPECT_EQ(TidySvg(qt), "<svg>\n"
                           "<g fill=\"#ff0000\">\n"
                           "<rect x=\"1.5\" y=\"2.5\" width=\"1\" height=\"1\"/>\n"
                           "</g>\n"
                           "<g fill=\"none\" transform=\"matrix(0.5,0,0,0.5,3,4)\">\n"
                           "<text font-family=\"Arial\" font-size=\"11\" \n"
                           " >Hub</text>\n"
                           "</g>\n"
                           "</svg>\n");
}

TEST(SvgTidy, CharactersXmlCannotHoldBecomeReplacementCharacters)
{
    const std::string text = std::string(" >A\x01", 4) + std::string(1, '\0') + "\x1f\tB\r\xEF\xBF\xBF\xEF\xBF\xBE\xEF\xBF\xBC\xC3\xA9</text>\n";
    EXPECT_EQ(TidySvg(text), " >A\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\tB\r\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBC\xC3\xA9</text>\n");
    // A group laid out otherwise is kept as it is.
    EXPECT_EQ(TidySvg("<g fill=\"red\">\n</g>\n"), "<g fill=\"red\">\n</g>\n");
}

// The toolkit writes in pieces of any size: fed a byte at a time, or in
// two pieces split anywhere, the tidy document is the same.
TEST(SvgTidy, PiecesOfAnySizeGiveTheSameDocument)
{
    const std::string qt = "<svg>\n<g fill=\"none\"\nfont-family=\"Arial\" \n>\n</g>\n\n<g fill=\"red\"\n"
                           "font-family=\"Arial\" \n>\n<rect x=\"1\"/>\n</g>\n<g a\n<g b\nfont-family=\"A\"\n"
                           "<text>\x01</text>\n</svg>";
    const std::string whole = TidySvg(qt);
    EXPECT_EQ(whole, "<svg>\n<g fill=\"red\">\n<rect x=\"1\"/>\n</g>\n<g a\n<g b\nfont-family=\"A\"\n"
                     "<text>\xEF\xBF\xBD</text>\n</svg>\n");
    CSvgTidier bytes;
    for (char c : qt)
        bytes.Feed(std::string_view(&c, 1));
    EXPECT_EQ(bytes.Finish(), whole);
    for (std::size_t at = 0; at <= qt.size(); ++at) {
        CSvgTidier two;
        two.Feed(std::string_view(qt).substr(0, at));
        two.Feed(std::string_view(qt).substr(at));
        ASSERT_EQ(two.Finish(), whole) << at;
    }
}
