// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "platform/framework/ResourceRegistry.h"
#include "platform/framework/qt/IconRaster.h"
#include "platform/framework/qt/WndImpl.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QIcon>
#include <QImage>

#include <map>

namespace {

// The share of a cell's pixels on which the strip and the SVG picture drawn
// at the same size agree about being painted or clear.
double CoverAgreement(const CToolBarDef& bar, int button)
{
    QImage drawn = SvgImage(bar.svgs[button], QSize(bar.buttonWidth, bar.buttonHeight));
    int same = 0;
    for (int y = 0; y < bar.buttonHeight; ++y)
        for (int x = 0; x < bar.buttonWidth; ++x) {
            bool inStrip = bar.strip[y][button * bar.buttonWidth + x] != '.';
            bool inSvg = qAlpha(drawn.pixel(x, y)) >= 128;
            same += inStrip == inSvg;
        }
    return same / double(bar.buttonWidth * bar.buttonHeight);
}

} // namespace

using Icons = GuiTest;

TEST_F(Icons, EveryButtonHasAnSvgThatMatchesItsPixelCell)
{
    ASSERT_TRUE(Start());
    const CToolBarDef& bar = *AfxGetResources().toolbar;
    std::map<char, bool> known;
    for (const auto& entry : bar.palette)
        known[entry.first] = true;
    int buttons = 0;
    for (int id : bar.items)
        buttons += id != 0;
    ASSERT_EQ(static_cast<int>(bar.svgs.size()), buttons);
    ASSERT_EQ(static_cast<int>(bar.strip.size()), bar.buttonHeight);
    for (const std::string& row : bar.strip) {
        ASSERT_EQ(static_cast<int>(row.size()), buttons * bar.buttonWidth);
        for (char c : row)
            EXPECT_TRUE(known[c]) << "letter " << c << " is not in the palette";
    }
    for (int b = 0; b < buttons; ++b) {
        EXPECT_FALSE(SvgImage(bar.svgs[b], QSize(32, 30)).isNull()) << b;
        EXPECT_GE(CoverAgreement(bar, b), 0.85) << "button " << b << " strayed from its SVG";
    }
}

TEST_F(Icons, DenseScreensGetButtonsAndTheWindowIconDrawnFromSvg)
{
    ASSERT_TRUE(Start());
    QIcon open = Action(ID_FILE_OPEN)->icon();
    // 1x is the pixel cell; 2x is drawn from the SVG, not the cell enlarged.
    QPixmap sharp = open.pixmap(QSize(16, 15), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 30));
    QImage cell = open.pixmap(QSize(16, 15), 1.0).toImage().scaled(32, 30);
    EXPECT_NE(sharp.toImage().convertToFormat(QImage::Format_ARGB32), cell.convertToFormat(QImage::Format_ARGB32));

    const CIconDef& icon = *AfxGetResources().icon;
    EXPECT_FALSE(SvgImage(icon.svg, QSize(256, 256)).isNull());
    QIcon window = Frame()->Impl()->widget->windowIcon();
    EXPECT_EQ(window.pixmap(QSize(48, 48), 1.0).size(), QSize(48, 48));
    EXPECT_GE(window.availableSizes().size(), 6);
}

TEST(IconRaster, TextThatIsNoPictureGivesNothing)
{
    EXPECT_TRUE(SvgImage("", QSize(16, 16)).isNull());
    EXPECT_TRUE(SvgImage("<svg", QSize(16, 16)).isNull());
    EXPECT_TRUE(SvgImage("not a picture at all", QSize(16, 16)).isNull());
    EXPECT_TRUE(SvgImage("<svg xmlns='http://www.w3.org/2000/svg'/>", QSize(0, 16)).isNull());
}
