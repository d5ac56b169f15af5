// SPDX-License-Identifier: MIT
#include "platform/print/View.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/Document.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrintPreview.h"
#include "platform/print/PrintService.h"
#include "platform/print/WinApp.h"

#include <QTimer>

#include <optional>

namespace {

constexpr const char* kCouldNotStart = "Could not start print job.";

// A job whose file could not be completed: the file is named with the
// system's reason, as for a file that cannot be read.
std::string OutputFailedMessage(const CPrintInfo& info)
{
    std::string file = info.m_printer ? info.m_printer->file : std::string();
    return "An unexpected file error occurred while writing " + file + ".\n" + info.m_strOutputError + ".";
}

} // namespace

CView::CView()
{
    OnCommandId(ID_FILE_PRINT, [this] { OnFilePrint(false); });
    OnCommandId(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(true); });
    OnCommandId(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

CView::~CView() = default;

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CViewBase::OnPrepareDC(pDC, pInfo);
    if (pInfo != nullptr)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != CPrintInfo::kUnsetMaxPage || pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo*)
{
    return TRUE;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* app = CWinApp::Get();
    std::optional<CPrinterTarget> chosen = app ? app->GetSelectedPrinter() : std::nullopt;
    if (!chosen)
        chosen = AfxFindPrinter(std::string());
    if ((pInfo->m_bPreview || pInfo->m_bDirect) && chosen) {
        pInfo->m_printer = chosen;
        return TRUE;
    }
    CPrintDialogRequest request;
    request.printer = chosen;
    request.minPage = pInfo->GetMinPage();
    request.maxPage = pInfo->GetMaxPage();
    if (AfxDoPrintDialog(request) != IDOK)
        return FALSE;
    if (!request.allPages) {
        pInfo->m_nFromPage = request.fromPage;
        pInfo->m_nToPage = request.toPage;
    }
    pInfo->m_printer = request.printer;
    pInfo->m_bPrintToFile = request.printToFile ? TRUE : FALSE;
    // The printer chosen in the dialog serves the next jobs too.
    if (app && request.printer)
        app->SelectPrinter(*request.printer);
    return TRUE;
}

void CView::OnFilePrint(bool direct)
{
    CPrintInfo info;
    info.m_bDirect = direct ? TRUE : FALSE;
    if (!OnPreparePrinting(&info))
        return;
    if (info.m_bPrintToFile && info.m_printer) {
        std::string path;
        if (!AfxPromptPrintToFile(path))
            return;
        info.m_printer->kind = CPrinterTarget::Kind::PdfFile;
        info.m_printer->file = path;
        // The page never replaces the map it shows.
        if (CDocument* doc = GetDocument())
            info.m_printer->keep = doc->GetPathName();
    }
    CPrintJob::Result result = CPrintJob(*this, info, true).Run();
    if (result == CPrintJob::Result::CouldNotStart)
        AfxMessageBox(kCouldNotStart);
    else if (result == CPrintJob::Result::Failed && !info.m_strOutputError.empty())
        AfxMessageBox(OutputFailedMessage(info));
}

bool CView::PrintToTarget(const CPrinterTarget& target, std::string* reason)
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    info.m_printer = target;
    CPrintJob::Result result = CPrintJob(*this, info, false).Run();
    bool printed = result == CPrintJob::Result::Printed;
    if (reason != nullptr)
        *reason = !info.m_strOutputError.empty() ? info.m_strOutputError
                  : printed                        ? std::string()
                                                   : std::string("the print job could not start");
    return printed;
}

void CView::OnFilePrintPreview()
{
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!OnPreparePrinting(info.get()) || !info->m_printer) {
        AfxMessageBox("Command failed.");
        return;
    }
    auto preview = std::make_shared<CPreviewView>(this, std::move(info));
    if (!preview->Open()) {
        AfxMessageBox("Command failed.");
        return;
    }
    m_pPreview = preview;
}

void CView::EndPreview()
{
    // The preview may be running one of its own commands: it goes once
    // that has returned, or with this view's window.
    std::shared_ptr<CPreviewView> closing = std::move(m_pPreview);
    if (closing && m_impl->widget)
        QTimer::singleShot(0, m_impl->widget, [closing] {});
}
