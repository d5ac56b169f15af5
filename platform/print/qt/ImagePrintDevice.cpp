// SPDX-License-Identifier: MIT
#include "platform/print/qt/ImagePrintDevice.h"

#include "platform/surface/DC.h"

#include <cmath>

CImagePrintDevice::CImagePrintDevice(const CPrinterTarget& t) : CPrintDevice(t)
{
    m_dpi = t.dpi > 0 ? t.dpi : kDefaultPageDpi;
}

bool CImagePrintDevice::StartPage(CDC& dc)
{
    QRectF area = Geometry().printable;
    m_page = CImage(static_cast<int>(std::lround(area.width() * m_dpi)),
                    static_cast<int>(std::lround(area.height() * m_dpi)), RGB(255, 255, 255));
    m_page.SetDpi(m_dpi, m_dpi);
    return dc.AttachImage(m_page) != FALSE;
}

bool CImagePrintDevice::EndPage(CDC& dc)
{
    CMapping mapping = dc.GetMapping();
    dc.Detach();
    if (m_target.onPage)
        m_target.onPage(m_page, mapping);
    m_page = CImage();
    AttachAttributes(dc);
    return true;
}

bool CImagePrintDevice::EndDoc(CDC& dc)
{
    dc.Detach();
    return true;
}

void CImagePrintDevice::AbortDoc(CDC& dc)
{
    dc.Detach();
}
