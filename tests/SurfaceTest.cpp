// SPDX-License-Identifier: MIT
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"

#include <gtest/gtest.h>

namespace {

// A picture with some structure, so exclusive-or has something to undo.
CImage Patterned()
{
    CImage image(120, 90, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    dc.SelectObject(&red);
    for (int x = 0; x < 120; x += 9) {
        dc.MoveTo(x, 0);
        dc.LineTo(119 - x, 89);
    }
    dc.FillSolidRect(CRect(30, 20, 70, 50), RGB(10, 200, 30));
    return image;
}

} // namespace

TEST(Surface, SelectionReturnsThePreviousObjectOfItsKind)
{
    CDC dc;
    CPen a(PS_SOLID, 0, RGB(1, 2, 3)), b(PS_SOLID, 0, RGB(4, 5, 6));
    CPen* stockPen = dc.SelectObject(&a);
    EXPECT_EQ(stockPen, CGdiObject::GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&b), &a);
    EXPECT_EQ(dc.SelectStockObject(WHITE_PEN), &b);
    EXPECT_EQ(dc.GetCurrentPen(), CGdiObject::GetStockObject(WHITE_PEN));
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), CGdiObject::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(BLACK_BRUSH), CGdiObject::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(9999), nullptr);
    EXPECT_EQ(dc.SetTextColor(RGB(9, 9, 9)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetBkColor(RGB(0, 0, 0)), RGB(255, 255, 255));
    EXPECT_EQ(dc.SetROP2(R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
}

TEST(Surface, ExclusiveOrLineAndFocusRectangleUndoThemselves)
{
    CImage original = Patterned();
    CImage image = original;
    CDC dc;
    dc.AttachImage(image);
    dc.SetROP2(R2_XORPEN);
    dc.SelectStockObject(WHITE_PEN);
    const CRect rects[] = {{10, 10, 60, 40}, {60, 40, 10, 10}, {5, 5, 6, 80}, {-20, -20, 500, 500}, {0, 1, 1, 2}};
    for (const CRect& r : rects) {
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.DrawFocusRect(&r);
        dc.Detach();
        EXPECT_GT(image.CountDifferences(original), 0) << r.left << "," << r.top << "," << r.right;
        dc.AttachImage(image);
        dc.SetROP2(R2_XORPEN);
        dc.SelectStockObject(WHITE_PEN);
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.DrawFocusRect(&r);
        dc.Detach();
        EXPECT_EQ(image.CountDifferences(original), 0) << r.left << "," << r.top << "," << r.right;
        dc.AttachImage(image);
        dc.SetROP2(R2_XORPEN);
        dc.SelectStockObject(WHITE_PEN);
    }
}

TEST(Surface, FocusRectangleIsDotted)
{
    CImage image(40, 40, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    CRect r(10, 10, 30, 20);
    dc.DrawFocusRect(&r);
    dc.Detach();
    EXPECT_EQ(image.GetPixel(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(image.GetPixel(11, 10), RGB(0, 0, 0));
    EXPECT_EQ(image.GetPixel(12, 10), RGB(255, 255, 255));
    EXPECT_EQ(image.GetPixel(20, 15), RGB(0, 0, 0));  // inside untouched
}

TEST(Surface, OpaqueTextFillsItsCellFromTheTopLeft)
{
    CImage image(200, 60, RGB(255, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    dc.SetBkColor(RGB(0, 0, 0));
    dc.SetTextColor(RGB(255, 255, 0));
    dc.TextOut(20, 10, "Wide words");
    dc.Detach();
    EXPECT_EQ(image.GetPixel(19, 12), RGB(255, 0, 0));
    EXPECT_EQ(image.GetPixel(20, 10), RGB(0, 0, 0));  // the cell's top-left corner
    EXPECT_EQ(image.GetPixel(20, 9), RGB(255, 0, 0));
    int yellow = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 20; x < 120; ++x)
            yellow += image.GetPixel(x, y) == RGB(255, 255, 0);
    EXPECT_GT(yellow, 20);
}

TEST(Surface, EllipseUsesPenOutlineAndHollowBrush)
{
    CImage image(100, 100, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    CPen green(PS_SOLID, 0, RGB(0, 255, 0));
    dc.SelectObject(&green);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(10, 10, 51, 51);
    dc.SelectStockObject(WHITE_BRUSH);
    dc.Ellipse(60, 60, 90, 90);
    dc.Detach();
    EXPECT_EQ(image.GetPixel(30, 10), RGB(0, 255, 0));   // top of the outline
    EXPECT_EQ(image.GetPixel(30, 30), RGB(0, 0, 0));     // hollow inside
    EXPECT_EQ(image.GetPixel(75, 75), RGB(255, 255, 255)); // filled inside
    EXPECT_EQ(image.GetPixel(30, 51), RGB(0, 0, 0));     // bottom edge excluded
}

TEST(Surface, WidthZeroPensStayOnePixelWhenZoomed)
{
    CImage image(100, 100, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(100, 100);
    CPen white(PS_SOLID, 0, RGB(255, 255, 255));
    dc.SelectObject(&white);
    dc.MoveTo(0, 5);
    dc.LineTo(10, 5);
    dc.Detach();
    EXPECT_EQ(image.GetPixel(50, 50), RGB(255, 255, 255));
    EXPECT_EQ(image.GetPixel(50, 49), RGB(0, 0, 0));
    EXPECT_EQ(image.GetPixel(50, 51), RGB(0, 0, 0));
}

TEST(Surface, DeviceCapsComeFromTheImage)
{
    CImage image(10, 10);
    image.SetDpi(600, 600);
    CDC dc;
    dc.AttachImage(image);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_FALSE(dc.IsPrinting());
}

TEST(Surface, FarCoordinatesAreClippedNotDrawnWrapped)
{
    CImage image(100, 100, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(1000, 1000);
    dc.SetViewportOrg(50, 50);
    dc.SelectStockObject(WHITE_PEN);
    dc.MoveTo(-2147483647, 0);
    dc.LineTo(2147483647, 0);
    dc.Ellipse(-2147483647, -2147483647, 2147483647, 2147483647);
    dc.TextOut(2147483600, 2147483600, "far");
    dc.Detach();
    EXPECT_EQ(image.GetPixel(10, 50), RGB(255, 255, 255));
    EXPECT_EQ(image.GetPixel(10, 40), RGB(0, 0, 0));
}

namespace {

template <class DC>
class Placement : public ::testing::Test {};
using Surfaces = ::testing::Types<CDC, CReferenceDC>;
TYPED_TEST_SUITE(Placement, Surfaces);

// The lit pixels of what draw puts on a black image under the view's
// mapping at zoom, centred on centre; right and bottom exclusive.
template <class DC, class Draw>
CRect LitBounds(int zoom, CPoint centre, Draw draw, CMapping* mapping = nullptr)
{
    constexpr int kWidth = 400, kHeight = 300;
    CImage image(kWidth, kHeight, RGB(0, 0, 0));
    DC dc;
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(zoom, zoom);
    dc.SetViewportExt(kWidth - 16, kHeight - 16);
    dc.SetWindowOrg(centre.x, centre.y);
    dc.SetViewportOrg((kWidth - 16) / 2, (kHeight - 16) / 2);
    CPen pen(PS_SOLID, 0, RGB(255, 255, 0));
    dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SetBkColor(RGB(0, 0, 255));
    if (mapping)
        *mapping = dc.GetMapping();
    draw(dc);
    dc.Detach();
    CRect lit(kWidth, kHeight, 0, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (image.GetPixel(x, y) != RGB(0, 0, 0))
                lit = CRect(std::min(lit.left, x), std::min(lit.top, y), std::max(lit.right, x + 1),
                            std::max(lit.bottom, y + 1));
    return lit;
}

} // namespace

TYPED_TEST(Placement, LinesEllipsesAndTextsStartOnTheirPointsPixels)
{
    // Map units smaller and larger than a pixel, at centres that put the
    // points at every fraction of a pixel.
    for (int zoom : {12500, 1562, 97}) {
        for (int step = 0; step < 16; ++step) {
            CPoint centre(step * 37 - 700, step * 53 - 1000);
            CPoint a(centre.x - zoom / 5 - step / 2, centre.y - zoom / 8 - step / 4);
            CPoint b(centre.x + zoom / 4 + step / 2, centre.y + zoom / 6 + step / 4);
            SCOPED_TRACE(::testing::Message() << "zoom " << zoom << " from " << a.x << "," << a.y << " to " << b.x
                                              << "," << b.y);
            CMapping m;
            CRect across = LitBounds<TypeParam>(zoom, centre, [&](CDC& dc) { dc.MoveTo(a.x, a.y); dc.LineTo(b.x, a.y); }, &m);
            CPoint pa = m.LPtoDP(a), pb = m.LPtoDP(b);
            // A line drawn right or down leaves out its last pixel.
            EXPECT_EQ(across, CRect(pa.x, pa.y, pb.x, pa.y + 1));
            CRect down = LitBounds<TypeParam>(zoom, centre, [&](CDC& dc) { dc.MoveTo(a.x, a.y); dc.LineTo(a.x, b.y); });
            EXPECT_EQ(down, CRect(pa.x, pa.y, pa.x + 1, pb.y));
            CRect slanted = LitBounds<TypeParam>(zoom, centre, [&](CDC& dc) { dc.MoveTo(a.x, a.y); dc.LineTo(b.x, b.y); });
            EXPECT_EQ(slanted.left, pa.x);
            EXPECT_EQ(slanted.top, pa.y);
            CRect ellipse = LitBounds<TypeParam>(zoom, centre, [&](CDC& dc) { dc.Ellipse(a.x, a.y, b.x, b.y); });
            EXPECT_EQ(ellipse, CRect(pa.x, pa.y, pb.x, pb.y));
            CRect text = LitBounds<TypeParam>(zoom, centre, [&](CDC& dc) { dc.TextOut(a.x, a.y, "Hm"); });
            EXPECT_EQ(text.left, pa.x);
            EXPECT_EQ(text.top, pa.y);
        }
    }
}
