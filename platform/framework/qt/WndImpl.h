// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the Qt widgets behind a CWnd. A view is a host widget
// holding the canvas (its client area) and the window's two scroll bars; a
// frame is a main window.

#include "platform/framework/qt/ViewCanvas.h"
#include "platform/surface/Image.h"

#include <QMainWindow>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <map>
#include <string>

class CFrameWnd;
class QAction;
class QMenu;

struct CWndImpl {
    QPointer<QWidget> widget;  // the host (view) or the main window (frame)
    // View only.
    QPointer<ViewCanvas> canvas;
    QPointer<QScrollBar> bars[2];
    CImage backBuffer;
    bool stale = true;
    COLORREF background = RGB(255, 255, 255);
    std::string pointerTip;  // the tip's text for the pointer's place (PointerTip.h)
    bool tipShown = false;   // this window put the tooltip on screen
    // Frame only.
    std::map<UINT, QAction*> actions;
    QMenu* fileMenu = nullptr;
    QAction* recentAnchor = nullptr;  // the separator after the recent files
    std::vector<QMenu*> menus;
    bool ownsWidget = false;

    ~CWndImpl()
    {
        if (ownsWidget && widget)
            delete widget.data();
    }
};

// The main window of a frame, for the platform's other parts.
QMainWindow* MainWindowOf(CFrameWnd* frame);

class CWnd;
// Shows wnd's pointer tip at the global point over the widget, when it has
// one; the canvas calls it when the pointer has rested long enough.
bool ShowPointerTip(CWnd& wnd, const QPoint& global, QWidget* over);
