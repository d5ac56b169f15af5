// SPDX-License-Identifier: MIT
#include "FactionTableDump.h"

#include "model/map/FactionTable.h"

#include <cstdio>

namespace {

void Print(const char* kind, const char* name, COLORREF color)
{
    std::printf("%s\t%s\t%02X%02X%02X\n", kind, name, GetRValue(color), GetGValue(color), GetBValue(color));
}

} // namespace

int RunFactionTableDump()
{
    Print("pen", "white", kPenColors[kPenWhite]);
    Print("pen", "circles", kPenColors[kPenDarkGreen]);
    Print("pen", "truce", kPenColors[kPenPurple]);
    for (const FactionCode& entry : kFactionCodes)
        Print("code", entry.code, kPenColors[entry.pen]);
    for (const LegendRow& row : kLegendRows)
        Print("legend", row.text, kPenColors[LookUpFactionPen(row.code)]);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
