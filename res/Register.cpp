// SPDX-License-Identifier: MIT
#include "Register.h"

#include "ResourceIds.h"
#include "ResourceTables.h"
#include "Strings.h"

#include "platform/framework/ResourceRegistry.h"

void RegisterKestrinResources()
{
    CResourceSet set;
    set.menu = &MainMenu();
    set.accelerators = &MainAccelerators();
    set.toolbar = &MainToolBar();
    set.icon = &ProgramIcon();
    set.dialog = [](int id) -> const CDialogTemplateDef* {
        if (id == IDD_ABOUTBOX)
            return &AboutDialogTemplate();
        if (id == IDD_CENTER_ON)
            return &CenterOnDialogTemplate();
        return nullptr;
    };
    set.string = [](int id) { return LoadResourceString(id); };
    AfxSetResources(set);
}
