// SPDX-License-Identifier: MIT
#pragma once

// The program's resource and command ids, beside the framework's standard
// ones, which it uses under their own names.

#include "platform/framework/CommandIds.h"

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
