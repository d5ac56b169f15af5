// SPDX-License-Identifier: MIT
#pragma once

// The plain value types and constants the program's code is written against:
// points, sizes, rectangles, colours, and the ids of stock objects, raster
// operations, mapping modes and device capabilities.

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using COLORREF = std::uint32_t;  // 0x00BBGGRR, red in the low byte

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

// Right and bottom are exclusive, as for window rectangles.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

// Pen styles.
constexpr int PS_SOLID = 0;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int SYSTEM_FONT = 13;

// Raster operations.
constexpr int R2_XORPEN = 7;
constexpr int R2_COPYPEN = 13;

// Background modes and text alignment.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_LEFT = 0;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;

// Device capabilities.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Font description values.
constexpr int FW_NORMAL = 400;
constexpr int ANSI_CHARSET = 0;
constexpr int OUT_STROKE_PRECIS = 3;
constexpr int CLIP_STROKE_PRECIS = 2;
constexpr int DRAFT_QUALITY = 1;
constexpr int VARIABLE_PITCH = 2;
constexpr int FF_SWISS = 32;

// A logical font description. A negative height asks for the character
// height, a positive one for the cell height, both in logical units.
struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    unsigned char lfItalic = 0;
    unsigned char lfUnderline = 0;
    unsigned char lfStrikeOut = 0;
    unsigned char lfCharSet = 0;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = 0;
    unsigned char lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
