// SPDX-License-Identifier: MIT
#include "platform/print/PrintJob.h"

#include "platform/framework/Document.h"
#include "platform/print/DisabledFrame.h"
#include "platform/print/View.h"
#include "platform/print/qt/PrintDevice.h"
#include "platform/print/qt/PrintStatusBox.h"

#include <string>
#include <vector>

namespace {

std::string TitleOf(CDocument* doc)
{
    return doc ? doc->GetTitle() : std::string();
}

std::vector<std::string> StatusLines(CDocument* doc, const CPrinterTarget& printer)
{
    bool toFile = printer.kind == CPrinterTarget::Kind::PdfFile || printer.kind == CPrinterTarget::Kind::SvgFile;
    std::string where = toFile ? "to " + printer.file : "on " + printer.port;
    return {"Printing", TitleOf(doc), "on the", printer.name, where};
}

} // namespace

CPrintJob::CPrintJob(CView& view, CPrintInfo& info, bool interactive)
    : m_view(view), m_info(info), m_interactive(interactive)
{
    if (info.m_printer)
        m_device = CPrintDevice::Create(*info.m_printer);
    m_dc.SetPrinting(true);
    if (m_device)
        m_device->AttachAttributes(m_dc);
}

CPrintJob::~CPrintJob() = default;

CPrintJob::Result CPrintJob::Run()
{
    m_view.OnBeginPrinting(&m_dc, &m_info);
    CDisabledFrame disabled(m_interactive ? m_view.GetParentFrame() : nullptr);
    if (m_interactive)
        m_status = std::make_unique<CPrintStatusBox>(
            StatusLines(m_view.GetDocument(), m_info.m_printer.value_or(CPrinterTarget())));
    Result result = Start() ? Finish(PrintPages()) : Result::CouldNotStart;
    disabled.Enable();
    m_view.OnEndPrinting(&m_dc, &m_info);
    return result;
}

bool CPrintJob::Start()
{
    if (m_device && m_device->StartDoc(TitleOf(m_view.GetDocument())))
        return true;
    m_info.m_strOutputError = m_device ? m_device->Error() : std::string();
    return false;
}

CPrintJob::Result CPrintJob::PrintPages()
{
    Result result = Result::Nothing;
    for (m_info.m_nCurPage = m_info.GetFromPage(); m_info.m_nCurPage <= m_info.GetToPage(); ++m_info.m_nCurPage) {
        if (std::optional<Result> end = PrintPage(result))
            return *end;
        result = Result::Printed;
        if (m_info.m_nCurPage == m_info.GetToPage())
            break;  // the next page number would wrap around
    }
    return result;
}

std::optional<CPrintJob::Result> CPrintJob::PrintPage(Result before)
{
    m_view.OnPrepareDC(&m_dc, &m_info);
    if (!m_info.m_bContinuePrinting)
        return before;
    if (m_status && !m_status->SetPage(m_info.m_nCurPage))
        return Result::Cancelled;
    if (!m_device->StartPage(m_dc))
        return before == Result::Printed ? Result::Failed : Result::CouldNotStart;
    // Starting the page put the surface in its default state.
    m_view.OnPrepareDC(&m_dc, &m_info);
    CSize size = m_dc.GetDeviceSize();
    m_info.m_rectDraw = CRect(0, 0, size.cx, size.cy);
    m_view.OnPrint(&m_dc, &m_info);
    if (!m_device->EndPage(m_dc))
        return Result::Failed;
    if (m_status && m_status->Cancelled())
        return Result::Cancelled;
    return std::nullopt;
}

CPrintJob::Result CPrintJob::Finish(Result result)
{
    if (result != Result::Printed && result != Result::Nothing) {
        m_device->AbortDoc(m_dc);
        return result;
    }
    if (m_device->EndDoc(m_dc))
        return result;
    m_info.m_strOutputError = m_device->Error();
    return Result::Failed;
}
