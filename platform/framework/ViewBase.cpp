// SPDX-License-Identifier: MIT
#include "platform/framework/ViewBase.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/qt/ScrollBarAdapter.h"
#include "platform/framework/qt/ViewCanvas.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/surface/DC.h"

#include <QGridLayout>
#include <QtMath>

#include <algorithm>

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
