// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a view's client area. It shows the view's back buffer,
// repainted first when stale, one buffer pixel to each device pixel, and
// turns Qt's mouse events into the view's handlers, in device pixels, with
// the classic key flags. It shows the view's pointer tip when the toolkit
// says the pointer has rested, and hides it when the pointer leaves or a
// button goes down.

#include <QWidget>

class CViewBase;

class ViewCanvas : public QWidget {
public:
    ViewCanvas(CViewBase* view, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    void leaveEvent(QEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Handled();
    CViewBase* m_view;
};
