// SPDX-License-Identifier: MIT
#include "FactionTable.h"

#include <cstring>

const std::array<COLORREF, kPenCount> kPenColors = {
    RGB(255, 255, 255), RGB(0, 0, 0),     RGB(255, 128, 0),   RGB(255, 0, 0),
    RGB(255, 0, 255),   RGB(0, 255, 0),   RGB(0, 196, 0),     RGB(0, 255, 255),
    RGB(0, 196, 196),   RGB(196, 128, 0), RGB(0, 0, 255),     RGB(0, 0, 196),
    RGB(128, 0, 196),   RGB(196, 196, 196), RGB(128, 128, 128), RGB(255, 255, 0),
    RGB(255, 0, 128),   RGB(255, 196, 0), RGB(0, 128, 0),     RGB(128, 0, 128),
};

const std::array<FactionCode, 22> kFactionCodes = {{
    {"VH", kPenOrange},   {"QT", kPenRed},      {"LMR", kPenMagenta}, {"ZA", kPenMidGreen},
    {"BND", kPenCyan},    {"OR", kPenGreen},    {"KOR", kPenGreen},   {"E", kPenOchre},
    {"KE", kPenOchre},    {"UL", kPenBlue},     {"KUL", kPenBlue},    {"TY", kPenViolet},
    {"KTY", kPenViolet},  {"HSN", kPenDarkBlue}, {"IX", kPenGrey},    {"KIX", kPenGrey},
    {"DM", kPenYellow},   {"KDM", kPenYellow},  {"GW", kPenRose},     {"RPF", kPenAmber},
    {"NJ", kPenLightGrey}, {"F", kPenTeal},
}};

const std::array<LegendRow, 17> kLegendRows = {{
    {"Ulmarch", "KUL"},    {"Orvessa", "KOR"},  {"Dremmork", "KDM"},  {"Ixtalan", "KIX"},
    {"Tyrrowen", "KTY"},   {"Eskeval", "KE"},   {"Solvane", "S"},     {"Zarethia", "ZA"},
    {"Quentari", "QT"},    {"Vahrenmark", "VH"}, {"Hessnor", "HSN"},  {"Lymerath", "LMR"},
    {"Bandrevel", "BND"},  {"Raphenor", "RPF"}, {"Gwellan", "GW"},    {"Njorvast", "NJ"},
    {"Feldrane Planet", "F"},
}};

FactionPen LookUpFactionPen(const char* code)
{
    for (const FactionCode& entry : kFactionCodes) {
        if (std::strcmp(entry.code, code) == 0)
            return entry.pen;
    }
    return kPenWhite;
}
