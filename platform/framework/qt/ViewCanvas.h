#pragma once

// Platform-internal: a view's client area. It shows the view's back buffer,
// repainted first when stale, one buffer pixel to each device pixel, and
// turns Qt's mouse events into the view's handlers, in device pixels, with
// the classic key flags.

#include <QWidget>

class CViewBase;

class ViewCanvas : public QWidget {
public:
    ViewCanvas(CViewBase* view, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Handled();
    CViewBase* m_view;
};
