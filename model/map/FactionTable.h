// SPDX-License-Identifier: MIT
#pragma once

// The built-in faction table: which of the map's twenty pens each faction
// code selects, and the seventeen rows of the legend.

#include "platform/surface/Types.h"

#include <array>

// Pen indices, in the order the map creates its pens.
enum FactionPen {
    kPenWhite, kPenBlack, kPenOrange, kPenRed, kPenMagenta, kPenGreen, kPenMidGreen,
    kPenCyan, kPenTeal, kPenOchre, kPenBlue, kPenDarkBlue, kPenViolet, kPenLightGrey,
    kPenGrey, kPenYellow, kPenRose, kPenAmber, kPenDarkGreen, kPenPurple, kPenCount
};

// Colour of each pen, by index.
extern const std::array<COLORREF, kPenCount> kPenColors;

struct FactionCode {
    const char* code;
    FactionPen pen;
};
// Compared in this order; a code matches only as a whole, case-sensitively.
extern const std::array<FactionCode, 22> kFactionCodes;

struct LegendRow {
    const char* text;
    const char* code;
};
extern const std::array<LegendRow, 17> kLegendRows;

// The pen of code, or kPenWhite for a code outside the table.
FactionPen LookUpFactionPen(const char* code);
