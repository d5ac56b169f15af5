// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: one of a view's two scroll bars as a classic window
// scroll bar. Qt's actions become scroll codes for the view's OnHScroll or
// OnVScroll; Qt's own move of the thumb is undone first, since the view
// sets the thumb itself; the release of the mouse ends every action with
// SB_ENDSCROLL; wheel events are swallowed (the view has no wheel).

#include "platform/surface/Types.h"

#include <QObject>

class CViewBase;
class QScrollBar;

class ScrollBarAdapter : public QObject {
public:
    ScrollBarAdapter(CViewBase* view, QScrollBar* bar, int which);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAction(int action);
    void Send(UINT code, int pos);
    CViewBase* m_view;
    QScrollBar* m_bar;
    int m_which;
};
