// SPDX-License-Identifier: MIT
#include "platform/framework/qt/ViewCanvas.h"

#include "platform/framework/PointerTip.h"
#include "platform/framework/ViewBase.h"
#include "platform/framework/WinAppBase.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/surface/Image.h"
#include "platform/surface/qt/ImageData.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// The view works in device pixels: on a dense screen a pointer position in
// Qt's logical pixels lands on the device pixel under it.
CPoint PointOf(const QMouseEvent* e, qreal ratio)
{
    QPointF p = e->position() * ratio;
    return CPoint(qFloor(p.x()), qFloor(p.y()));
}

} // namespace

ViewCanvas::ViewCanvas(CViewBase* view, QWidget* parent) : QWidget(parent), m_view(view)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(1, 1);
}

void ViewCanvas::paintEvent(QPaintEvent*)
{
    m_view->RefreshBackBuffer();
    // The buffer holds one pixel per device pixel; drawn into the logical
    // rectangle it covers, it reaches the screen unscaled.
    const QImage& image = m_view->GetBackBuffer().Data()->image;
    qreal ratio = devicePixelRatioF();
    QPainter p(this);
    p.drawImage(QRectF(0, 0, image.width() / ratio, image.height() / ratio), image);
}

void ViewCanvas::resizeEvent(QResizeEvent*)
{
    m_view->Invalidate(TRUE);
}

void ViewCanvas::Handled()
{
    if (CWinAppBase* app = CWinAppBase::Get())
        app->OnIdle();
}

bool ViewCanvas::event(QEvent* e)
{
    // The toolkit sends this once the pointer has rested for its tooltip
    // delay.
    if (e->type() == QEvent::ToolTip) {
        if (!ShowPointerTip(*m_view, static_cast<QHelpEvent*>(e)->globalPos(), this))
            e->ignore();
        return true;
    }
    return QWidget::event(e);
}

void ViewCanvas::leaveEvent(QEvent*)
{
    SetPointerTip(*m_view, std::string());
}

void ViewCanvas::mousePressEvent(QMouseEvent* e)
{
    SetPointerTip(*m_view, std::string());
    UINT flags = KeyFlags(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_view->OnLButtonDown(flags, PointOf(e, devicePixelRatioF()));
    else if (e->button() == Qt::RightButton)
        m_view->OnRButtonDown(flags, PointOf(e, devicePixelRatioF()));
    Handled();
}

void ViewCanvas::mouseReleaseEvent(QMouseEvent* e)
{
    UINT flags = KeyFlags(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_view->OnLButtonUp(flags, PointOf(e, devicePixelRatioF()));
    else if (e->button() == Qt::RightButton)
        m_view->OnRButtonUp(flags, PointOf(e, devicePixelRatioF()));
    Handled();
}

void ViewCanvas::mouseMoveEvent(QMouseEvent* e)
{
    m_view->OnMouseMove(KeyFlags(e->buttons(), e->modifiers()), PointOf(e, devicePixelRatioF()));
    Handled();
}
