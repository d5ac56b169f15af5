// SPDX-License-Identifier: MIT
#pragma once

// The main frame: menu, accelerators and a dockable toolbar around the view.

#include "platform/framework/FrameWnd.h"
#include "platform/framework/ToolBar.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame() = default;
    BOOL PreCreateWindow() override { return CFrameWnd::PreCreateWindow(); }
    int OnCreate() override;

    CToolBar m_wndToolBar;
};
