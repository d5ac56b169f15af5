// SPDX-License-Identifier: MIT
#include "platform/print/qt/SvgPrintDevice.h"

#include "platform/surface/DC.h"

#include <cmath>

CSvgPrintDevice::CSvgPrintDevice(const CPrinterTarget& t) : CPrintDevice(t)
{
    m_dpi = t.dpi > 0 ? t.dpi : kDefaultPageDpi;
}

bool CSvgPrintDevice::StartDoc(const std::string&)
{
    if (m_target.bytes != nullptr || m_output.Open(m_target.file, 0666, m_target.keep))
        return true;
    m_error = m_output.Reason();
    return false;
}

bool CSvgPrintDevice::StartPage(CDC& dc)
{
    if (m_page || m_written)
        return false;
    QRectF area = Geometry().printable;
    m_page = std::make_unique<CSvgPicture>(static_cast<int>(std::lround(area.width() * m_dpi)),
                                           static_cast<int>(std::lround(area.height() * m_dpi)), m_dpi,
                                           RGB(255, 255, 255));
    return m_page->Attach(dc) != FALSE;
}

bool CSvgPrintDevice::EndPage(CDC& dc)
{
    CMapping mapping = dc.GetMapping();
    bool made = m_page && m_page->Finish(dc, m_bytes);
    m_page.reset();
    if (!made)
        return false;
    m_written = true;
    if (m_target.onPage)
        m_target.onPage(CImage(), mapping);
    AttachAttributes(dc);
    return true;
}

// The bytes are written here, where a failure's reason reaches the job.
bool CSvgPrintDevice::EndDoc(CDC& dc)
{
    dc.Detach();
    if (!m_written) {
        m_output.Discard();  // no page printed: no file either
        return true;
    }
    if (m_target.bytes != nullptr) {
        m_target.bytes->swap(m_bytes);
        return true;
    }
    if (m_output.Write(m_bytes) && m_output.Commit())
        return true;
    m_error = m_output.Reason();
    m_output.Discard();
    return false;
}

void CSvgPrintDevice::AbortDoc(CDC& dc)
{
    dc.Detach();
    m_page.reset();
    m_output.Discard();
}
