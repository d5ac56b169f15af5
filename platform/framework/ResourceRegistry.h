// SPDX-License-Identifier: MIT
#pragma once

// Where the framework finds the program's resources: the program registers
// its tables once at start-up, and the frame, the toolbar, the dialogs and
// the string lookups read them from here.

#include "platform/framework/ResourceRecords.h"

#include <functional>
#include <string>
#include <vector>

struct CResourceSet {
    const std::vector<CMenuItemDef>* menu = nullptr;
    const std::vector<CAccelDef>* accelerators = nullptr;
    const CToolBarDef* toolbar = nullptr;
    const CIconDef* icon = nullptr;
    std::function<const CDialogTemplateDef*(int id)> dialog;
    std::function<std::string(int id)> string;
};

void AfxSetResources(const CResourceSet& resources);
const CResourceSet& AfxGetResources();
// A string of the table, or empty when there is none.
std::string AfxLoadString(int id);
