// SPDX-License-Identifier: MIT
#include "platform/print/PrintPreview.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinAppBase.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/View.h"
#include "platform/print/qt/PreviewUi.h"
#include "platform/print/qt/PrintDevice.h"
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kPagesEntry = "PreviewPages";
constexpr const char* kSettingsSection = "Settings";

} // namespace

CPreviewView::CPreviewView(CView* printView, std::unique_ptr<CPrintInfo> info)
    : m_printView(printView), m_frame(printView->GetParentFrame()), m_info(std::move(info)),
      m_ui(std::make_unique<CPreviewUi>())
{
    SetDocument(printView->GetDocument());
    OnCommandId(kClose, [this] { OnClose(); });
    OnCommandId(kNumPage, [this] { OnNumPage(); });
    OnCommandId(kNext, [this] { Step(1); });
    OnCommandId(kPrev, [this] { Step(-1); });
    OnCommandId(kPrint, [this] { OnPreviewPrint(); });
    OnCommandId(kZoomIn, [this] { Zoom(1); });
    OnCommandId(kZoomOut, [this] { Zoom(-1); });
    OnUpdateId(kNext, [this](CCmdUI* ui) { ui->Enable(PagePrints(m_nCurrentPage + ShownPages())); });
    OnUpdateId(kPrev, [this](CCmdUI* ui) { ui->Enable(m_nCurrentPage > 1); });
    OnUpdateId(kNumPage, [this](CCmdUI* ui) { ui->Enable(m_zoom == 0); });
    OnUpdateId(kZoomIn, [this](CCmdUI* ui) { ui->Enable(m_zoom < kMaxZoom); });
    OnUpdateId(kZoomOut, [this](CCmdUI* ui) { ui->Enable(m_zoom > 0); });
    // No preview of the preview, and no printing from it but its own button.
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        OnUpdateId(id, [](CCmdUI* ui) { ui->Enable(FALSE); });
    CWinAppBase* app = CWinAppBase::Get();
    m_nPages = app && app->GetProfileInt(kSettingsSection, kPagesEntry, 0) == 2 ? 2 : 1;
}

CPreviewView::~CPreviewView() = default;

bool CPreviewView::Open()
{
    QMainWindow* main = m_frame ? MainWindowOf(m_frame) : nullptr;
    if (!main || !m_info->m_printer)
        return false;
    m_ui->Build(this, m_frame, main, PageGeometryOf(*m_info->m_printer));
    m_ui->TakeFrame(main);
    m_savedAccelerators = m_frame->Accelerators();
    m_frame->SetAccelerators({{VK_NEXT, false, static_cast<int>(kNext)},
                              {VK_PRIOR, false, static_cast<int>(kPrev)},
                              {VK_ESCAPE, false, static_cast<int>(kClose)}});
    m_savedActiveView = m_frame->GetActiveView();
    m_frame->SetActiveView(this);
    m_open = true;
    CDC dc;
    dc.SetPrinting(true);
    m_printView->OnBeginPrinting(&dc, m_info.get());
    Refresh();
    m_ui->pages->setFocus();
    return true;
}

void CPreviewView::Restore()
{
    if (!m_open)
        return;
    m_open = false;
    m_ui->GiveBackFrame(m_frame, MainWindowOf(m_frame));
    m_frame->SetAccelerators(m_savedAccelerators);
    m_frame->SetActiveView(m_savedActiveView);
    CDC dc;
    dc.SetPrinting(true);
    m_printView->OnEndPrinting(&dc, m_info.get());
}

void CPreviewView::OnClose()
{
    Restore();
    m_printView->EndPreview();
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* frame = m_frame;
    OnClose();
    frame->SendCommand(ID_FILE_PRINT);
}

void CPreviewView::OnNumPage()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    if (CWinAppBase* app = CWinAppBase::Get())
        app->WriteProfileInt(kSettingsSection, kPagesEntry, m_nPages);
    Refresh();
}

void CPreviewView::Step(int pages)
{
    if (pages < 0 && m_nCurrentPage <= 1)
        return;
    if (pages > 0 && !PagePrints(m_nCurrentPage + static_cast<UINT>(ShownPages())))
        return;
    m_nCurrentPage = pages > 0 ? m_nCurrentPage + 1 : m_nCurrentPage - 1;
    Refresh();
}

void CPreviewView::Zoom(int step)
{
    m_zoom = std::clamp(m_zoom + step, 0, kMaxZoom);
    Refresh();
}

void CPreviewView::Refresh()
{
    m_ui->ShowPageCount(m_nPages);
    m_ui->ShowIndicator(PageIndicator());
    if (m_ui->pages)
        m_ui->pages->Relayout();
    m_frame->UpdateCommandUI();
}

std::string CPreviewView::PageIndicator() const
{
    char text[48];
    if (ShownPages() == 2 && const_cast<CPreviewView*>(this)->PagePrints(m_nCurrentPage + 1))
        std::snprintf(text, sizeof text, "Pages %u-%u", m_nCurrentPage, m_nCurrentPage + 1);
    else
        std::snprintf(text, sizeof text, "Page %u", m_nCurrentPage);
    return text;
}

bool CPreviewView::PagePrints(UINT page)
{
    if (page < m_info->GetMinPage() || page > m_info->GetMaxPage())
        return false;
    CDC dc;
    dc.SetPrinting(true);
    m_info->m_nCurPage = page;
    m_printView->OnPrepareDC(&dc, m_info.get());
    return m_info->m_bContinuePrinting != FALSE;
}

CImage CPreviewView::RenderPage(UINT page, int dpi)
{
    if (!PagePrints(page))
        return CImage();
    QRectF area = PageGeometryOf(*m_info->m_printer).printable;
    CImage image(std::max(1, static_cast<int>(std::lround(area.width() * dpi))),
                 std::max(1, static_cast<int>(std::lround(area.height() * dpi))), RGB(255, 255, 255));
    image.SetDpi(dpi, dpi);
    CDC dc;
    dc.AttachImage(image);
    dc.SetPrinting(true);
    m_info->m_nCurPage = page;
    m_printView->OnPrepareDC(&dc, m_info.get());
    m_info->m_rectDraw = CRect(0, 0, image.Width(), image.Height());
    m_printView->OnPrint(&dc, m_info.get());
    dc.Detach();
    return image;
}
