// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the main window of a frame. Closing it ends the event
// loop, as closing the main frame ends the program.

#include <QMainWindow>

class CFrameWnd;

class FrameWindow : public QMainWindow {
public:
    explicit FrameWindow(CFrameWnd* frame);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    CFrameWnd* m_frame;
};
