// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: key presses anywhere in a frame's window meet the
// frame's accelerator table before any widget sees them, as a message
// loop's translation would. The keypad plus and minus match only with the
// keypad modifier; a letter matches with Ctrl (or with nothing, as the
// table says) and no other modifier, and by its place on the keyboard
// when the layout types no Latin letter there.

#include <QObject>

class CFrameWnd;
class QWidget;

class AcceleratorFilter : public QObject {
public:
    // Filters every key press of the application for window's widgets.
    AcceleratorFilter(CFrameWnd* frame, QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFrameWnd* m_frame;
    QWidget* m_window;
};
