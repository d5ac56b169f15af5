// SPDX-License-Identifier: MIT
#pragma once

// A command's state as its update handler sets it: enabled or not, checked
// or not, and whether the handler said anything about either. The frame
// applies it to the menu item, the toolbar button and the accelerator.

#include "platform/surface/Types.h"

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE)
    {
        m_enabled = on != FALSE;
        m_enableSet = true;
    }
    virtual void SetCheck(int check = 1)
    {
        m_checked = check != 0;
        m_checkSet = true;
    }

    UINT m_nID;
    bool m_enabled = false;
    bool m_enableSet = false;
    bool m_checked = false;
    bool m_checkSet = false;
};
