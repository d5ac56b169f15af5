// SPDX-License-Identifier: MIT
#include "platform/framework/Wnd.h"

#include "platform/framework/qt/WndImpl.h"
#include "platform/surface/Brush.h"

#include <QApplication>
#include <QLayout>
#include <QStyle>
#include <QtMath>

namespace {
int g_scrollBarMetric = 0;
}

int GetSystemMetrics(int index)
{
    if (index != SM_CYHSCROLL && index != SM_CYVSCROLL)
        return 0;
    if (g_scrollBarMetric > 0)
        return g_scrollBarMetric;
    // In device pixels, as the view's client area is.
    return qCeil(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) * qApp->devicePixelRatio());
}

void SetScrollBarMetricForTesting(int pixels)
{
    g_scrollBarMetric = pixels;
}

CWnd::CWnd() : m_impl(std::make_unique<CWndImpl>()) {}

CWnd::~CWnd() = default;

void CWnd::GetClientRect(CRect* rect) const
{
    // A view's canvas measures in device pixels, so the map is drawn at the
    // screen's full resolution; other windows keep Qt's logical pixels.
    if (QWidget* canvas = m_impl->canvas) {
        qreal ratio = canvas->devicePixelRatioF();
        *rect = CRect(0, 0, qCeil(canvas->width() * ratio), qCeil(canvas->height() * ratio));
        return;
    }
    QWidget* w = m_impl->widget.data();
    *rect = w ? CRect(0, 0, w->width(), w->height()) : CRect();
}

void CWnd::Invalidate(BOOL)
{
    // The background is always erased: the next paint starts from the
    // class brush.
    m_impl->stale = true;
    if (m_impl->canvas)
        m_impl->canvas->update();
    else if (m_impl->widget)
        m_impl->widget->update();
}

void CWnd::UpdateWindow()
{
    if (m_impl->canvas && m_impl->canvas->isVisible())
        m_impl->canvas->repaint();
}

BOOL CWnd::ShowWindow(int command)
{
    if (!m_impl->widget)
        return FALSE;
    bool wasVisible = m_impl->widget->isVisible();
    m_impl->widget->setVisible(command != SW_HIDE);
    return wasVisible ? TRUE : FALSE;
}

bool CWnd::IsWindowVisible() const
{
    return m_impl->widget && m_impl->widget->isVisible();
}

void CWnd::ShowScrollBar(int bar, BOOL show)
{
    QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0];
    if (!b || b->isHidden() == !show)
        return;
    b->setVisible(show != FALSE);
    // The client area changes at once, as it does for a window's own bars.
    if (m_impl->widget && m_impl->widget->layout())
        m_impl->widget->layout()->activate();
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL)
{
    if (QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0])
        b->setRange(minPos, maxPos);
}

int CWnd::SetScrollPos(int bar, int pos, BOOL)
{
    QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0];
    if (!b)
        return 0;
    int previous = b->value();
    b->setValue(pos);
    b->setSliderPosition(b->value());
    return previous;
}

int CWnd::GetScrollPos(int bar) const
{
    QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0];
    return b ? b->value() : 0;
}

void CWnd::GetScrollRange(int bar, int* minPos, int* maxPos) const
{
    QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0];
    *minPos = b ? b->minimum() : 0;
    *maxPos = b ? b->maximum() : 0;
}

bool CWnd::IsScrollBarVisible(int bar) const
{
    QScrollBar* b = m_impl->bars[bar == SB_VERT ? 1 : 0];
    return b && !b->isHidden();
}

void CWnd::SetClassBackground(int stockBrush)
{
    CGdiObject* brush = CGdiObject::GetStockObject(stockBrush);
    if (brush && brush->GetKind() == CGdiObject::Kind::Brush)
        m_impl->background = static_cast<CBrush*>(brush)->GetColor();
}

void CWnd::SetClassCursor(int cursor)
{
    QWidget* w = m_impl->canvas ? static_cast<QWidget*>(m_impl->canvas) : m_impl->widget.data();
    if (w)
        w->setCursor(cursor == IDC_CROSS ? Qt::CrossCursor : Qt::ArrowCursor);
}
