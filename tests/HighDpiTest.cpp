// SPDX-License-Identifier: MIT
// Runs with Qt scaling every window by two: the view must draw one pixel per
// device pixel and read the pointer in the same pixels.

#include "GuiFixture.h"

#include "model/map/FactionTable.h"
#include "platform/surface/Image.h"

#include <QWidget>

namespace {

class HighDpi : public GuiTest {
protected:
    void SetUp() override
    {
        std::string path = m_dir.Write("m.dat", MapText({{"Hub", 0, 0, "QT"}}));
        ASSERT_TRUE(Start({path}));
        ASSERT_DOUBLE_EQ(Canvas()->devicePixelRatioF(), 2.0);
        SetClientSize(400, 300);
        // 784 x 584 device pixels less the scroll-bar metric: one unit a pixel.
        View()->m_zoom = CSize(584, 584);
        View()->Invalidate(TRUE);
    }

    COLORREF FactionColor(const char* code)
    {
        CPen* pen;
        COLORREF color;
        Map()->GetFactionPen(code, pen, color);
        return color;
    }
};

// The columns of row y between x0 and x1 whose pixel is c.
std::vector<int> ColumnsOf(const CImage& image, int y, int x0, int x1, COLORREF c)
{
    std::vector<int> columns;
    for (int x = x0; x < x1; ++x)
        if (image.GetPixel(x, y) == c)
            columns.push_back(x);
    return columns;
}

// The first and last rows in the band x < width, y in [y0, y1) holding c.
std::pair<int, int> RowsOf(const CImage& image, int width, int y0, int y1, COLORREF c)
{
    int first = -1, last = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < width; ++x)
            if (image.GetPixel(x, y) == c) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

} // namespace

TEST_F(HighDpi, MapIsDrawnAtTheDeviceResolution)
{
    CRect client;
    View()->GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 800, 600));
    CImage image = Snapshot();
    ASSERT_EQ(image.Width(), 800);
    ASSERT_EQ(image.Height(), 600);
    // The planet of radius 5 at the centre of 784 x 584 pixels, (392, 292):
    // its outline crosses the middle row once on each side, one device
    // pixel wide.
    std::vector<int> outline = ColumnsOf(image, 292, 380, 405, FactionColor("QT"));
    EXPECT_EQ(outline, (std::vector<int>{387, 396}));
}

TEST_F(HighDpi, PointerPositionsLandOnDevicePixels)
{
    // Logical 50 pixels are 100 device pixels, 100 units, 5 light years.
    Press(MK_RBUTTON, {100, 150});
    Move({150, 150});
    Release(MK_RBUTTON, {150, 150});
    ASSERT_EQ(Map()->GetMeasureLineCount(), 1);
    const CMeasureLine& line = Map()->GetMeasureLine(0);
    EXPECT_EQ(line.m_x2 - line.m_x1, 100);
    EXPECT_EQ(line.m_y2, line.m_y1);
    EXPECT_EQ(line.m_lightYears, 5);
    CPoint middle(200, 300);
    View()->DeviceToMap(middle);
    EXPECT_EQ(middle.x, line.m_x1) << "the press at logical (100, 150) is device (200, 300)";
}

TEST_F(HighDpi, LegendGrowsWithTheScreen)
{
    View()->m_showLegend = TRUE;
    CImage image = Snapshot();
    // Rows 28 device pixels apart, each in glyphs twice their usual height.
    auto first = RowsOf(image, 200, 0, 28, FactionColor(kLegendRows[0].code));
    auto second = RowsOf(image, 200, 28, 56, FactionColor(kLegendRows[1].code));
    ASSERT_GE(first.first, 0);
    ASSERT_GE(second.first, 28);
    EXPECT_GE(first.second - first.first, 14) << "glyphs of a 24 pixel font";
    EXPECT_EQ(second.first - first.first, 28);
}
