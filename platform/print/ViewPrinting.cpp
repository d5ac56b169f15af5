// The framework's print command on the view: preparation, the print to
// file prompt, the status box, the job and its page loop.

#include "platform/framework/View.h"

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/print/PrintPreview.h"
#include "platform/print/PrintService.h"
#include "platform/print/qt/PrintDevice.h"
#include "platform/print/qt/PrintStatusBox.h"
#include "platform/surface/DC.h"

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

std::vector<std::string> StatusLines(CDocument* doc, const CPrinterTarget& printer)
{
    bool toFile = printer.kind == CPrinterTarget::Kind::PdfFile;
    std::string where = toFile ? "to " + printer.file : "on " + printer.port;
    return {"Printing", doc ? doc->GetTitle() : std::string(), "on the", printer.name, where};
}

// Keeps the main window disabled while a job runs.
class CDisabledFrame {
public:
    explicit CDisabledFrame(CFrameWnd* frame) : m_frame(frame)
    {
        if (m_frame)
            m_frame->SetEnabled(false);
    }
    ~CDisabledFrame() { Enable(); }
    void Enable()
    {
        if (m_frame)
            m_frame->SetEnabled(true);
        m_frame = nullptr;
    }

private:
    CFrameWnd* m_frame;
};

} // namespace

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
    }
    PrintResult result = RunPrintJob(info, true);
    if (result == PrintResult::CouldNotStart)
        AfxMessageBox(kCouldNotStart);
    else if (result == PrintResult::Failed && !info.m_strOutputError.empty())
        AfxMessageBox(OutputFailedMessage(info));
}

bool CView::PrintToTarget(const CPrinterTarget& target, std::string* reason)
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    info.m_printer = target;
    PrintResult result = RunPrintJob(info, false);
    if (reason != nullptr)
        *reason = !info.m_strOutputError.empty() ? info.m_strOutputError
                  : result == PrintResult::Printed ? std::string()
                                                   : std::string("the print job could not start");
    return result == PrintResult::Printed;
}

CView::PrintResult CView::RunPrintJob(CPrintInfo& info, bool interactive)
{
    std::unique_ptr<CPrintDevice> device;
    if (info.m_printer)
        device = CPrintDevice::Create(*info.m_printer);
    CDC dc;
    dc.SetPrinting(true);
    if (device)
        device->AttachAttributes(dc);
    OnBeginPrinting(&dc, &info);
    CDisabledFrame disabled(interactive ? GetParentFrame() : nullptr);
    std::optional<CPrintStatusBox> status;
    if (interactive)
        status.emplace(StatusLines(GetDocument(), info.m_printer.value_or(CPrinterTarget())));
    if (!device || !device->StartDoc(GetDocument() ? GetDocument()->GetTitle() : std::string())) {
        info.m_strOutputError = device ? device->Error() : std::string();
        disabled.Enable();
        OnEndPrinting(&dc, &info);
        return PrintResult::CouldNotStart;
    }
    PrintResult result = PrintResult::Nothing;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (status && !status->SetPage(info.m_nCurPage)) {
            result = PrintResult::Cancelled;
            break;
        }
        if (!device->StartPage(dc)) {
            result = result == PrintResult::Printed ? PrintResult::Failed : PrintResult::CouldNotStart;
            break;
        }
        // Starting the page put the surface in its default state.
        OnPrepareDC(&dc, &info);
        CSize size = dc.GetDeviceSize();
        info.m_rectDraw = CRect(0, 0, size.cx, size.cy);
        OnPrint(&dc, &info);
        result = PrintResult::Printed;
        if (!device->EndPage(dc)) {
            result = PrintResult::Failed;
            break;
        }
        if (status && status->Cancelled()) {
            result = PrintResult::Cancelled;
            break;
        }
        if (info.m_nCurPage == info.GetToPage())
            break;  // the next page number would wrap around
    }
    if (result != PrintResult::Printed && result != PrintResult::Nothing) {
        device->AbortDoc(dc);
    } else if (!device->EndDoc(dc)) {
        result = PrintResult::Failed;
        info.m_strOutputError = device->Error();
    }
    disabled.Enable();
    OnEndPrinting(&dc, &info);
    return result;
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
