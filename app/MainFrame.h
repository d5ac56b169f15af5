#pragma once

// The main frame: menu, accelerators and a dockable toolbar around the view.

#include "platform/FrameWnd.h"
#include "platform/ToolBar.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame() = default;
    BOOL PreCreateWindow() override { return CFrameWnd::PreCreateWindow(); }
    int OnCreate() override;

    CToolBar m_wndToolBar;
};
