// SPDX-License-Identifier: MIT
#include "platform/framework/qt/ScrollBarAdapter.h"

#include "platform/framework/ViewBase.h"
#include "platform/framework/WinAppBase.h"

#include <QEvent>
#include <QScrollBar>
#include <QTimer>

ScrollBarAdapter::ScrollBarAdapter(CViewBase* view, QScrollBar* bar, int which)
    : QObject(bar), m_view(view), m_bar(bar), m_which(which)
{
    bar->setTracking(false);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    bar->installEventFilter(this);
    connect(bar, &QAbstractSlider::actionTriggered, this, [this](int action) { OnAction(action); });
}

bool ScrollBarAdapter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Wheel)
        return true;  // the view has no wheel handling
    if (event->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, this, [this] { Send(SB_ENDSCROLL, 0); });
    return false;
}

void ScrollBarAdapter::OnAction(int action)
{
    int requested = m_bar->sliderPosition();
    UINT code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove:
        if (m_bar->isSliderDown()) {
            Send(SB_THUMBTRACK, requested);
            return;  // the thumb follows the pointer until it is released
        }
        code = SB_THUMBPOSITION;
        break;
    default: return;
    }
    // Undo Qt's own move: the view sets the thumb itself.
    m_bar->setSliderPosition(m_bar->value());
    Send(code, requested);
}

void ScrollBarAdapter::Send(UINT code, int pos)
{
    if (m_which == SB_HORZ)
        m_view->OnHScroll(code, static_cast<UINT>(pos), nullptr);
    else
        m_view->OnVScroll(code, static_cast<UINT>(pos), nullptr);
    if (CWinAppBase* app = CWinAppBase::Get())
        app->OnIdle();
}
