// SPDX-License-Identifier: MIT
#include "Strings.h"

#include "ResourceIds.h"

#include <unordered_map>

namespace {

const std::unordered_map<int, std::string>& Table()
{
    static const std::unordered_map<int, std::string> table = {
        {IDR_MAINFRAME, "Kestrin\n\nKestrin\nData Files (*.dat)\n.dat\nKestrin.Document\nKestrin Document"},
        {AFX_IDS_APP_TITLE, "Kestrin"},
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application\nExit"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_ZOOM_IN, "Zoom in\nZoom In"},
        {ID_ZOOM_OUT, "Zoom out\nZoom Out"},
        {ID_ZOOM_EXTENTS, "Zoom to the whole map\nZoom Extents"},
        {ID_CENTER_ON, "Center on a planet\nCenter On..."},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_FILE_MRU_FILE1, "Open this document"},
    };
    return table;
}

} // namespace

const std::string& LoadResourceString(int id)
{
    static const std::string empty;
    auto it = Table().find(id);
    return it == Table().end() ? empty : it->second;
}

std::string TooltipOf(int id)
{
    const std::string& s = LoadResourceString(id);
    auto nl = s.find('\n');
    return nl == std::string::npos ? std::string() : s.substr(nl + 1);
}
