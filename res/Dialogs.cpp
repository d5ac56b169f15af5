// SPDX-License-Identifier: MIT
#include "ResourceTables.h"

#include "IconSources.h"
#include "ResourceIds.h"

const CDialogTemplateDef& AboutDialogTemplate()
{
    using I = CDialogItemDef;
    static const CDialogTemplateDef dialog = {
        IDD_ABOUTBOX, "About Kestrin", "MS Sans Serif", 8, 242, 110,
        {
            {I::Icon, -1, 12, 10, 20, 20, ""},
            {I::Static, -1, 40, 10, 119, 8, "Kestrin ver 1.00"},
            {I::DefButton, 1, 203, 7, 32, 14, "OK"},
            {I::Static, -1, 40, 19, 119, 8, "A viewer for the star map"},
            {I::Static, -1, 40, 28, 119, 8, "of the frontier worlds"},
            {I::Static, -1, 40, 37, 119, 8, "Copyright (C) 2026 Kestrin"},
            {I::Frame, -1, 7, 55, 228, 47, ""},
            {I::Static, -1, 13, 57, 217, 8, "Left-drag a box to zoom into it."},
            {I::Static, -1, 13, 65, 217, 8, "Right-drag to measure a distance; Ctrl+Z removes the newest."},
            {I::Static, -1, 13, 73, 217, 8, "Keypad + and - zoom in and out; Esc shows the whole map."},
            {I::Static, -1, 13, 81, 217, 8, "Ctrl+C centres the map on a planet typed by name."},
            {I::Static, -1, 13, 89, 217, 8, "The View menu shows the legend, circles and truce line."},
        },
    };
    return dialog;
}

const CDialogTemplateDef& CenterOnDialogTemplate()
{
    using I = CDialogItemDef;
    static const CDialogTemplateDef dialog = {
        IDD_CENTER_ON, "Center On Planet Name", "MS Sans Serif", 8, 204, 66,
        {
            {I::Edit, IDC_PLANET_NAME, 51, 22, 100, 13, ""},
            {I::DefButton, 1, 47, 45, 50, 14, "OK"},
            {I::Button, 2, 106, 45, 50, 14, "Cancel"},
            {I::Static, -1, 30, 7, 35, 8, "Center On:"},
        },
    };
    return dialog;
}

const CIconDef& ProgramIcon()
{
    // The SVG picture (a light-year ring, a measured line, a kestrel) at
    // 16 x 16, for the unlikely screen the SVG cannot be drawn on.
    static const CIconDef icon = {
        {
            "kkkkkkkkkkkkkkkk",
            "kkkkkkkkkkkkwkkk",
            "kkkkkkkkkkfkkkkk",
            "kkwkkkkkkfffkkkk",
            "kkkkkkkkffffffkk",
            "kkkggggkkkffkkkk",
            "kkgkkkkgrkkkkkkk",
            "kgkkkkkkgkkkkkkk",
            "kgkkookkgkkkkkkk",
            "cgkkookyygkkkkkk",
            "kgkkkkkkgkyykkkk",
            "kkgkkkkgkkkkyykk",
            "kkkggggkkkkkkmmk",
            "kkkkkkkkkkkkkmmk",
            "kkkkkkwkkkkkkkkk",
            "kkkkkkkkkkkkkkkk",
        },
        {{'k', RGB(0x10, 0x1A, 0x40)}, {'g', RGB(0x2F, 0xB3, 0x5A)}, {'o', RGB(0xFF, 0xB0, 0x20)},
         {'r', RGB(0xFF, 0x3B, 0x3B)}, {'c', RGB(0x33, 0xE0, 0xFF)}, {'m', RGB(0xFF, 0x3D, 0xF0)},
         {'y', RGB(0xFF, 0xE2, 0x3A)}, {'f', RGB(0xF0, 0x8A, 0x3E)}, {'w', RGB(0xFF, 0xFF, 0xFF)}},
        kIconSources[0],
    };
    return icon;
}
