// SPDX-License-Identifier: MIT
#pragma once

// Comparing a picture of the fast surface with the plain reference
// surface's picture of the same drawing, item by item.
//
// The reference surface below records, while it draws, the device box of
// every text cell and shape. Each differing pixel is charged to the item
// that decides it: the last one drawn whose opaque text cell holds it, or
// where no cell does, the last one whose reach holds it (a text's cell
// widened by half its height for ink past the cell, a shape's box by two
// pixels); a pixel no reach holds is charged to none and fails.
//
// Each item is judged on its own, however busy the rest of the picture:
// it may differ in at most kItemTolerance pixels, or in pixels that span
// no more than one glyph (as wide as the text's cell is high, plus two
// pixels). A glyph whose place falls within a rounding error of a pixel
// edge may land one pixel over in one of the two pictures; a name or a
// word that moved, or a shape, fails. And every differing pixel must lie
// beside a pixel that both pictures drew (outside the image counts as
// background), so that what differs is at most the edge of what both drew.

#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"

#include <string>
#include <vector>

// Pixels any item may differ in.
inline constexpr long kItemTolerance = 4;

struct PixelBox {
    int left, top, right, bottom;  // device pixels, inclusive; empty when right < left
};

struct DrawnItem {
    PixelBox cell;   // a text's opaque cell; empty for a shape
    PixelBox reach;  // every pixel the item may write
    std::string what;  // the text, or the kind of shape
};

class CBoxedReferenceDC : public CReferenceDC {
public:
    // Shared by every surface of one picture (the map's and the legend's).
    explicit CBoxedReferenceDC(std::vector<DrawnItem>& items) : m_items(items) {}
    BOOL TextOut(int x, int y, const char* text, int length) override;
    using CDC::TextOut;
    BOOL Ellipse(int left, int top, int right, int bottom) override;
    BOOL LineTo(int x, int y) override;

private:
    std::vector<DrawnItem>& m_items;
};

struct PictureComparison {
    long lit = 0;        // pixels of the reference not in the background
    long differing = 0;  // pixels where the two pictures differ
    long stray = 0;      // differing pixels with no pixel drawn by both beside them
    long unowned = 0;    // differing pixels within no item's box
    long failing = 0;    // items whose differing pixels are more than one glyph's
    long worst = 0;      // the most differing pixels charged to one such item, or to any
    std::string worstItem;
    bool Passes() const { return stray == 0 && unowned == 0 && failing == 0; }
};

PictureComparison ComparePictures(const CImage& fast, const CImage& reference, COLORREF background,
                                  const std::vector<DrawnItem>& items);

// For a failure message.
std::string Describe(const PictureComparison& c);

// The map's name font as the pictures here draw it: Arial, 11 pixels high.
LOGFONT NameFontDescription();
