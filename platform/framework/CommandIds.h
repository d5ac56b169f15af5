// SPDX-License-Identifier: MIT
#pragma once

// The framework's standard ids: the commands its menus, keys, toolbars and
// handlers share, its control bar and its string of the program's name.
// Defined here once; the program's resources in res/ use these names and
// add its own commands (32771 and up) beside them.

// File menu.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;  // print without the dialog
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
// The recent files: one command per entry, the first for the newest.
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_LAST = 57631;

constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;

// The toolbar: its id as a control bar and its View menu command.
constexpr int AFX_IDW_TOOLBAR = 59392;
constexpr int ID_VIEW_TOOLBAR = AFX_IDW_TOOLBAR;

// Strings: the program's name, the caption of every message box.
constexpr int AFX_IDS_APP_TITLE = 57344;
