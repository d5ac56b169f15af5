// SPDX-License-Identifier: MIT
#pragma once

// The shapes of the program's resources, as plain data: menus, accelerator
// tables, toolbars with their image strips, dialog templates in dialog
// units. The program's own tables live in res/; the frame and the dialogs
// are built from them by walking these records.

#include "platform/surface/Types.h"

#include <cstdint>
#include <string>
#include <vector>

struct CMenuItemDef {
    enum Kind { Item, Separator, Popup };
    Kind kind = Item;
    std::string text;   // with "&" mnemonics and "\t" before the key text
    int id = 0;
    bool grayed = false;
    std::vector<CMenuItemDef> children;  // of a popup
};

// Virtual-key codes used by the accelerator table.
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_ADD = 0x6B;       // "+" of the numeric keypad
constexpr int VK_SUBTRACT = 0x6D;  // "-" of the numeric keypad
constexpr int VK_NEXT = 0x22;      // Page Down
constexpr int VK_PRIOR = 0x21;     // Page Up

struct CAccelDef {
    int key = 0;          // a virtual-key code, or an upper-case letter
    bool control = false;
    int id = 0;
};

// A toolbar: button ids in order, 0 for a separator, and an image strip of
// one cell per button, each row a string of palette letters. The strip is
// what a screen of ordinary density shows; denser screens draw each button
// from its SVG picture of the same cell, when it has one.
struct CToolBarDef {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<int> items;
    std::vector<std::string> strip;      // buttonHeight rows of (buttons x width) letters
    std::vector<std::pair<char, COLORREF>> palette;
    std::vector<std::string> svgs;       // per button, in strip order; empty for none
};

struct CDialogItemDef {
    enum Kind { Static, Edit, Button, DefButton, Icon, Frame };
    Kind kind = Static;
    int id = -1;  // -1 for none
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string text;
};

struct CDialogTemplateDef {
    int id = 0;
    std::string caption;
    std::string fontFace;
    int fontPoints = 8;
    int cx = 0, cy = 0;  // dialog units
    std::vector<CDialogItemDef> items;
};

// A picture given as rows of palette letters (the program icon), and the
// same picture as SVG for every other size; empty for none.
struct CIconDef {
    std::vector<std::string> rows;
    std::vector<std::pair<char, COLORREF>> palette;
    std::string svg;
};
