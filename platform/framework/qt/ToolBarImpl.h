// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the Qt toolbar behind a CToolBar.

#include <QPointer>
#include <QToolBar>

class CFrameWnd;

struct CToolBarImpl {
    CFrameWnd* frame = nullptr;
    QPointer<QToolBar> bar;
};

// The frame's one action for a command id, made on first use.
class QAction;
QAction* ActionOf(CFrameWnd* frame, unsigned id);
