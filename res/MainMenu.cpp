// SPDX-License-Identifier: MIT
#include "ResourceTables.h"

#include "ResourceIds.h"

namespace {

CMenuItemDef Item(const char* text, int id) { return {CMenuItemDef::Item, text, id, false, {}}; }
CMenuItemDef Separator() { return {CMenuItemDef::Separator, "", 0, false, {}}; }
CMenuItemDef Popup(const char* text, std::vector<CMenuItemDef> items)
{
    return {CMenuItemDef::Popup, text, 0, false, std::move(items)};
}

} // namespace

const std::vector<CMenuItemDef>& MainMenu()
{
    static const std::vector<CMenuItemDef> menu = {
        Popup("&File", {Item("&Open...\tCtrl+O", ID_FILE_OPEN), Separator(),
                        Item("&Print...\tCtrl+P", ID_FILE_PRINT), Item("Print Pre&view", ID_FILE_PRINT_PREVIEW),
                        Item("P&rint Setup...", ID_FILE_PRINT_SETUP), Separator(),
                        {CMenuItemDef::Item, "Recent File", ID_FILE_MRU_FILE1, true, {}}, Separator(),
                        Item("E&xit", ID_APP_EXIT)}),
        Popup("&Edit", {Item("&Undo\tCtrl+Z", ID_EDIT_UNDO)}),
        Popup("&Map", {Item("Zoom &In\t+", ID_ZOOM_IN), Item("Zoom &Out\t-", ID_ZOOM_OUT),
                       Item("Zoom E&xtents\tESC", ID_ZOOM_EXTENTS), Separator(),
                       Item("&Center On...\tCtrl+C", ID_CENTER_ON)}),
        Popup("&View", {Item("&Varl Truce Line", ID_VIEW_TRUCE_LINE), Item("Light &Year Circles", ID_VIEW_CIRCLES),
                        Item("&Legend", ID_VIEW_LEGEND), Separator(), Item("&Toolbar", ID_VIEW_TOOLBAR)}),
        Popup("&Help", {Item("&View Readme", ID_VIEW_README), Separator(), Item("&About Kestrin...", ID_APP_ABOUT)}),
    };
    return menu;
}

const std::vector<CAccelDef>& MainAccelerators()
{
    static const std::vector<CAccelDef> table = {
        {'C', true, ID_CENTER_ON},   {'O', true, ID_FILE_OPEN},         {'P', true, ID_FILE_PRINT},
        {VK_ADD, false, ID_ZOOM_IN}, {VK_ESCAPE, false, ID_ZOOM_EXTENTS}, {VK_SUBTRACT, false, ID_ZOOM_OUT},
        {'Z', true, ID_EDIT_UNDO},
    };
    return table;
}
