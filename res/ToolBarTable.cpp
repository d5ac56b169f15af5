// SPDX-License-Identifier: MIT
#include "ResourceTables.h"

#include "IconSources.h"
#include "ResourceIds.h"

namespace {

// One cell per button, 16 x 15, in button order. Each is the SVG picture of
// res/icons/toolbar/ drawn at this size (scripts/strip-from-svg.py) and
// touched up by hand where smoothing left stray shades.
const char* const kCells[7][15] = {
    {   // Open
        "................",
        "................",
        "kkkkkk..........",
        "kooook..........",
        "kooookkkkkkkk...",
        "koooooooooook...",
        "koooooooooook...",
        "koooooooooook...",
        "kooookkkkkkkkkkk",
        "koookyyyyyyyyyk.",
        "kookyyyyyyyyyk..",
        "kokyyyyyyyyyk...",
        "kkyyyyyyyyyk....",
        "kkkkkkkkkkk.....",
        "................",
    },
    {   // Zoom In
        "....kkkk........",
        "...kkkkkk.......",
        "..kllllllk......",
        ".klllbblllk.....",
        "kklllbblllkk....",
        "kklbbbbbblkk....",
        "kklbbbbbblkk....",
        "kklllbblllkk....",
        ".klllbblllk.....",
        "..kllllllkk.....",
        "...kkkkkkkkk....",
        "....kkkk..kkk...",
        "...........kkk..",
        "............kkk.",
        ".............k..",
    },
    {   // Zoom Out
        "....kkkk........",
        "...kkkkkk.......",
        "..kllllllk......",
        ".kllllllllk.....",
        "kkllllllllkk....",
        "kklbbbbbblkk....",
        "kklbbbbbblkk....",
        "kkllllllllkk....",
        ".kllllllllk.....",
        "..kllllllkk.....",
        "...kkkkkkkkk....",
        "....kkkk..kkk...",
        "...........kkk..",
        "............kkk.",
        ".............k..",
    },
    {   // Zoom Extents
        "................",
        ".kkkk......kkkk.",
        ".k............k.",
        ".k............k.",
        ".k..kkkkkkkk..k.",
        "....knnnnnnk....",
        "....knrnnunk....",
        "....knnnnnnk....",
        "....knnncnnk....",
        "....knnnnnnk....",
        ".k..kkkkkkkk..k.",
        ".k............k.",
        ".k............k.",
        ".kkkk......kkkk.",
        "................",
    },
    {   // Center On
        "................",
        ".......k........",
        "......kkk.......",
        "....kkkkkkk.....",
        "...kk..k..kk....",
        "...k.......k....",
        "..kk...r...kk...",
        ".kkkk.rrr.kkkk..",
        "..kk...r...kk...",
        "...k.......k....",
        "...kk..k..kk....",
        "....kkkkkkk.....",
        "......kkk.......",
        ".......k........",
        "................",
    },
    {   // Print
        "................",
        "...kkkkkkkkkk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        "...kwwwwwwwwk...",
        ".kkkkkkkkkkkkkk.",
        ".kssssssssssssk.",
        ".kssssssssssesk.",
        ".kssssssssssssk.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "...kwwwwwwwwk...",
        "...kwggggggwk...",
        "...kkkkkkkkkk...",
        "................",
    },
    {   // About
        "................",
        ".....kkkkkk.....",
        "...kkbwwwwbkk...",
        "..kkbwwwwwwbkk..",
        "..kbbwwbbwwbbk..",
        ".kbbbwbbbwwbbbk.",
        ".kbbbbbbbwwbbbk.",
        ".kbbbbbbwwwbbbk.",
        ".kbbbbbwwwbbbbk.",
        ".kbbbbbwwbbbbbk.",
        "..kbbbbbbbbbbk..",
        "..kkbbbwwbbbkk..",
        "...kkbbwwbbkk...",
        ".....kkkkkk.....",
        "................",
    },
};

std::vector<std::string> Strip()
{
    std::vector<std::string> rows(15);
    for (int row = 0; row < 15; ++row)
        for (const auto& cell : kCells)
            rows[row] += cell[row];
    return rows;
}

std::vector<std::string> ButtonSvgs()
{
    std::vector<std::string> svgs;
    for (int i = 0; i < kToolBarSvgCount; ++i)
        svgs.emplace_back(kIconSources[kToolBarSvgFirst + i]);
    return svgs;
}

} // namespace

const CToolBarDef& MainToolBar()
{
    static const CToolBarDef bar = {
        16,
        15,
        {ID_FILE_OPEN, 0, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, 0, ID_CENTER_ON, 0, ID_FILE_PRINT, ID_APP_ABOUT},
        Strip(),
        {{'.', RGB(192, 192, 192)}, {'k', RGB(0x20, 0x24, 0x2C)}, {'w', RGB(0xFF, 0xFF, 0xFF)},
         {'l', RGB(0xE6, 0xF2, 0xFF)}, {'o', RGB(0xD9, 0x9A, 0x1E)}, {'y', RGB(0xFF, 0xD7, 0x5E)},
         {'b', RGB(0x24, 0x58, 0xC6)}, {'n', RGB(0x16, 0x22, 0x4E)}, {'r', RGB(0xE0, 0x26, 0x2B)},
         {'c', RGB(0x32, 0xD4, 0xE6)}, {'s', RGB(0xC4, 0xC8, 0xD0)}, {'g', RGB(0x85, 0x8B, 0x98)},
         {'e', RGB(0x2F, 0xBF, 0x3A)}, {'u', RGB(0xFF, 0xD6, 0x0A)}},
        ButtonSvgs(),
    };
    return bar;
}
