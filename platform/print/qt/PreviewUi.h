// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: print preview's widgets in the main frame: a bar of
// seven buttons, each bound to its command in the frame, with the page
// indicator, over the scrollable page area. While the preview is up it
// holds the frame's view, set aside and still owned by the main window,
// and remembers the menu bar and the toolbars it hid, to give them back.

#include "platform/print/qt/PageGeometry.h"
#include "platform/print/qt/PreviewPages.h"
#include "platform/surface/Types.h"

#include <QPointer>

#include <map>
#include <vector>

class CFrameWnd;
class CPreviewView;
class QAction;
class QLabel;
class QMainWindow;
class QToolBar;
class QWidget;

struct CPreviewUi {
    QPointer<QWidget> root;
    QPointer<QLabel> indicator;
    QPointer<PreviewPages> pages;
    QPointer<QWidget> host;  // the printing view's widget, set aside
    std::vector<QPointer<QToolBar>> hiddenBars;
    bool menuWasVisible = true;
    std::map<UINT, QAction*> actions;

    ~CPreviewUi();

    void Build(CPreviewView* preview, CFrameWnd* frame, QMainWindow* main, const CPageGeometry& geometry);
    // Puts the preview in the frame: the view is set aside and the menu
    // bar and visible toolbars are hidden.
    void TakeFrame(QMainWindow* main);
    // Puts the view, the menu bar and the toolbars back, and drops the
    // preview's buttons from the frame's actions.
    void GiveBackFrame(CFrameWnd* frame, QMainWindow* main);
    // The page-count button's text for one or two pages shown.
    void ShowPageCount(int pages);
    // The indicator's text: "Page 1" or "Pages 1-2".
    void ShowIndicator(const std::string& text);
};
