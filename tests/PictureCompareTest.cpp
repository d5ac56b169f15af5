// SPDX-License-Identifier: MIT
#include "PictureCompare.h"

#include "platform/surface/DC.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The comparison of fast and reference pictures must catch one name that
// moved by one pixel however much else the picture holds, and differences
// on the border of a printed picture.

namespace {

constexpr int kRows = 40, kColumns = 9;

std::string NameAt(int row, int column)
{
    char name[32];
    std::snprintf(name, sizeof name, "Wm%c%dq", 'A' + column, row);
    return name;
}

// A page crowded with names, 33 pixels high; the one at (row, column)
// moved right by shift device pixels.
template <class DC, class... Args>
CImage Crowd(int row, int column, int shift, Args&... args)
{
    CImage image(1600, 1300, RGB(0, 0, 0));
    DC dc(args...);
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(300, 300);
    dc.SetBkColor(RGB(0, 0, 0));
    dc.SetTextColor(RGB(255, 255, 255));
    const LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    dc.SelectObject(&font);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const bool moved = r == row && c == column;
            if (moved)
                dc.SetViewportOrg(shift, 0);
            dc.TextOut(c * 58, r * 10 + 1, NameAt(r, c));
            if (moved)
                dc.SetViewportOrg(0, 0);
        }
    dc.SelectStockObject(SYSTEM_FONT);
    dc.Detach();
    return image;
}

} // namespace

TEST(PictureCompare, OneNameMovedByAPixelFailsInABusyPicture)
{
    std::vector<DrawnItem> items;
    const CImage reference = Crowd<CBoxedReferenceDC>(-1, -1, 0, items);
    ASSERT_EQ(items.size(), std::size_t(kRows * kColumns));

    const PictureComparison same = ComparePictures(Crowd<CReferenceDC>(-1, -1, 0), reference, RGB(0, 0, 0), items);
    EXPECT_TRUE(same.Passes()) << Describe(same);
    EXPECT_EQ(same.differing, 0);

    const PictureComparison moved = ComparePictures(Crowd<CReferenceDC>(17, 4, 1), reference, RGB(0, 0, 0), items);
    SCOPED_TRACE(Describe(moved));
    RecordProperty("moved", Describe(moved));
    // Busy enough that an allowance over the whole picture (one pixel in
    // 500 lit, plus 4) would hide it, and no differing pixel stands alone.
    EXPECT_LE(moved.differing, moved.lit / 500 + 4);
    EXPECT_EQ(moved.stray, 0);
    EXPECT_FALSE(moved.Passes());
    EXPECT_EQ(moved.worstItem, NameAt(17, 4));
    EXPECT_EQ(moved.worst, moved.differing);
}

TEST(PictureCompare, PixelsBeyondAPrintedPictureAreItsWhiteBackground)
{
    // One black dot in the corner of a white page: beyond the page lies
    // white, so nothing drawn by both is beside it.
    CImage reference(50, 40, RGB(255, 255, 255)), fast(50, 40, RGB(255, 255, 255));
    {
        CDC dc;
        dc.AttachImage(fast);
        dc.FillSolidRect(CRect(0, 0, 1, 1), RGB(0, 0, 0));
    }
    const std::vector<DrawnItem> items = {{{0, 0, -1, -1}, {-5, -5, 10, 10}, "corner"}};
    const PictureComparison c = ComparePictures(fast, reference, RGB(255, 255, 255), items);
    EXPECT_EQ(c.differing, 1);
    EXPECT_EQ(c.stray, 1);
    EXPECT_FALSE(c.Passes());

    // A dot in no item's box is charged to none, and fails as well.
    const PictureComparison unowned = ComparePictures(fast, reference, RGB(255, 255, 255), {});
    EXPECT_EQ(unowned.unowned, 1);
    EXPECT_FALSE(unowned.Passes());
}
