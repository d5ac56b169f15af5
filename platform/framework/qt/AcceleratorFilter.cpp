// SPDX-License-Identifier: MIT
#include "platform/framework/qt/AcceleratorFilter.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/qt/KeyPosition.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Whether a key press is the accelerator: the keypad keys only with the
// keypad modifier, letters only with Ctrl and no other modifier, and a
// letter key by its place when the layout types no Latin letter on it.
bool Matches(const CAccelDef& a, const QKeyEvent* e)
{
    Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    bool keypad = (e->modifiers() & Qt::KeypadModifier) != 0;
    switch (a.key) {
    case VK_ESCAPE: return e->key() == Qt::Key_Escape && mods == Qt::NoModifier;
    case VK_ADD: return e->key() == Qt::Key_Plus && keypad && mods == Qt::NoModifier;
    case VK_SUBTRACT: return e->key() == Qt::Key_Minus && keypad && mods == Qt::NoModifier;
    case VK_NEXT: return e->key() == Qt::Key_PageDown && mods == Qt::NoModifier;
    case VK_PRIOR: return e->key() == Qt::Key_PageUp && mods == Qt::NoModifier;
    default: break;
    }
    if (a.key < 'A' || a.key > 'Z' || AcceleratorLetter(e) != a.key)
        return false;
    return mods == (a.control ? Qt::ControlModifier : Qt::NoModifier);
}

} // namespace

AcceleratorFilter::AcceleratorFilter(CFrameWnd* frame, QWidget* window)
    : QObject(window), m_frame(frame), m_window(window)
{
    qApp->installEventFilter(this);
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != m_window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const CAccelDef& accel : m_frame->Accelerators()) {
        if (Matches(accel, key)) {
            m_frame->SendCommand(static_cast<UINT>(accel.id));
            return true;
        }
    }
    return false;
}
