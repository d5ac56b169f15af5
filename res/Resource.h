#pragma once

// Resource and command ids.

// Main menu, accelerators, toolbar, icon and document string.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_CENTER_ON = 130;
constexpr int IDC_PLANET_NAME = 1000;

// The program's own commands.
constexpr int ID_ZOOM_IN = 32771;
constexpr int ID_ZOOM_OUT = 32772;
constexpr int ID_ZOOM_EXTENTS = 32773;
constexpr int ID_CENTER_ON = 32774;
constexpr int ID_VIEW_TRUCE_LINE = 32776;
constexpr int ID_VIEW_CIRCLES = 32777;
constexpr int ID_VIEW_README = 32779;
constexpr int ID_VIEW_LEGEND = 32780;

// The framework's standard commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_LAST = 57631;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int AFX_IDW_TOOLBAR = 59392;

// Strings.
constexpr int AFX_IDS_APP_TITLE = 57344;
