// SPDX-License-Identifier: MIT
#pragma once

// The program's resources as data: menu 128, accelerator table 128,
// toolbar 128 with its image strip, dialog templates 100 and 130, the icon.

#include "platform/framework/ResourceRecords.h"

#include <vector>

const std::vector<CMenuItemDef>& MainMenu();
const std::vector<CAccelDef>& MainAccelerators();
const CToolBarDef& MainToolBar();
const CDialogTemplateDef& AboutDialogTemplate();
const CDialogTemplateDef& CenterOnDialogTemplate();
const CIconDef& ProgramIcon();
