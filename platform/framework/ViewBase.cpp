#include "platform/framework/ViewBase.h"

#include "platform/framework/ClientDC.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinAppBase.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"
#include "platform/surface/qt/ImageData.h"

#include <QEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
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

void ViewCanvas::mousePressEvent(QMouseEvent* e)
{
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

CViewBase::CViewBase() = default;

CViewBase::~CViewBase() = default;

bool CViewBase::Create(CFrameWnd* frame)
{
    m_pFrame = frame;
    if (!PreCreateWindow())
        return false;
    QMainWindow* main = MainWindowOf(frame);
    auto* host = new QWidget(main);
    auto* grid = new QGridLayout(host);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_impl->widget = host;
    m_impl->canvas = new ViewCanvas(this, host);
    m_impl->bars[0] = new QScrollBar(Qt::Horizontal, host);
    m_impl->bars[1] = new QScrollBar(Qt::Vertical, host);
    grid->addWidget(m_impl->canvas, 0, 0);
    grid->addWidget(m_impl->bars[1], 0, 1);
    grid->addWidget(m_impl->bars[0], 1, 0);
    new ScrollBarAdapter(this, m_impl->bars[0], SB_HORZ);
    new ScrollBarAdapter(this, m_impl->bars[1], SB_VERT);
    main->setCentralWidget(host);
    m_impl->canvas->setFocus();
    return OnCreate() != -1;
}

void CViewBase::OnPrepareDC(CDC*, CPrintInfo*) {}

void CViewBase::OnInitialUpdate()
{
    Invalidate(TRUE);
}

CImage& CViewBase::GetBackBuffer()
{
    CImage& buffer = m_impl->backBuffer;
    CRect client;
    GetClientRect(&client);
    int w = std::max(client.Width(), 1), h = std::max(client.Height(), 1);
    int dpi = m_impl->canvas ? qRound(96 * m_impl->canvas->devicePixelRatioF()) : 96;
    if (buffer.Width() != w || buffer.Height() != h || buffer.DpiY() != dpi) {
        buffer = CImage(w, h, m_impl->background);
        buffer.SetDpi(dpi, dpi);
        m_impl->stale = true;
    }
    return buffer;
}

void CViewBase::RefreshBackBuffer()
{
    CImage& buffer = GetBackBuffer();
    if (!m_impl->stale)
        return;
    m_impl->stale = false;
    buffer.Fill(m_impl->background);
    CDC dc;
    dc.AttachImage(buffer);
    m_paintingDC = &dc;
    OnPrepareDC(&dc, nullptr);
    OnDraw(&dc);
    m_paintingDC = nullptr;
}

CClientDC::CClientDC(CViewBase* view) : m_view(view)
{
    CImage& buffer = view->GetBackBuffer();
    if (CDC* painting = view->GetPaintingDC()) {
        m_suspended = painting;
        CDCAccess::Suspend(*painting);
    }
    AttachImage(buffer);
}

CClientDC::~CClientDC()
{
    Detach();
    if (m_suspended) {
        CDCAccess::Resume(*m_suspended);
        return;  // the repaint shows the buffer when it is done
    }
    if (m_view->Impl()->canvas)
        m_view->Impl()->canvas->update();
}
