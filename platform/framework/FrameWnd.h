// SPDX-License-Identifier: MIT
#pragma once

// The main frame: a top-level window with the menu, the accelerator keys,
// toolbars and the one view. Every command of a menu, a toolbar button or a
// key enters here and is routed through the active view, its document, the
// frame and the application. Enable and check states come from the update
// handlers, asked before a menu opens and after every handled command or
// message, so a disabled command is disabled everywhere at once.

#include "platform/framework/ResourceRecords.h"
#include "platform/framework/Wnd.h"

#include <string>
#include <vector>

class CDocument;
class CToolBar;
class CViewBase;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window: PreCreateWindow, the menu and accelerators of the
    // registered resources, then OnCreate. False when OnCreate returns -1.
    bool Create();
    virtual BOOL PreCreateWindow() { return TRUE; }
    virtual int OnCreate();

    CViewBase* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CViewBase* view) { m_pActiveView = view; }
    CDocument* GetActiveDocument() const;

    // The caption: the document's title, " - ", the program's name.
    void UpdateFrameTitle();
    std::string GetWindowText() const;

    // Routes a command; false when no target handles it or it is disabled.
    bool SendCommand(UINT id);
    // Asks the targets for a command's state; unhandled commands are disabled.
    void QueryCommand(CCmdUI* ui);
    bool IsCommandEnabled(UINT id);
    bool IsCommandChecked(UINT id);
    // Refreshes every command's menu item and toolbar button.
    void UpdateCommandUI();

    void EnableDocking(UINT sides);
    void DockControlBar(CToolBar* bar);
    void ShowControlBar(CToolBar* bar, BOOL show);
    bool IsControlBarVisible(CToolBar* bar) const;

    // Replaces the recent-file placeholder of the menu by these entries.
    void SetRecentFileMenu(const std::vector<std::string>& entries);
    // The texts of a top-level menu's items, for tests and the menu check.
    std::vector<std::string> GetMenuTexts(int topLevelIndex) const;

    // The accelerator table in force; print preview puts its own in place.
    const std::vector<CAccelDef>& Accelerators() const { return m_accelerators; }
    void SetAccelerators(std::vector<CAccelDef> table) { m_accelerators = std::move(table); }

    void SetEnabled(bool enabled);
    void Close();

protected:
    void OnViewToolbar();

    CViewBase* m_pActiveView = nullptr;
    CToolBar* m_pToolBar = nullptr;
    std::vector<CAccelDef> m_accelerators;
};
