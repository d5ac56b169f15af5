// SPDX-License-Identifier: MIT
#include "platform/framework/qt/FrameWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>

FrameWindow::FrameWindow(CFrameWnd* frame) : m_frame(frame) {}

void FrameWindow::closeEvent(QCloseEvent* e)
{
    e->accept();
    QCoreApplication::quit();
}
