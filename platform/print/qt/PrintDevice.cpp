// SPDX-License-Identifier: MIT
#include "platform/print/qt/PrintDevice.h"

#include "platform/print/qt/ImagePrintDevice.h"
#include "platform/print/qt/QtPrintDevice.h"
#include "platform/print/qt/SvgPrintDevice.h"
#include "platform/surface/DC.h"

std::unique_ptr<CPrintDevice> CPrintDevice::Create(const CPrinterTarget& target)
{
    if (target.kind == CPrinterTarget::Kind::ImagePage)
        return std::make_unique<CImagePrintDevice>(target);
    if (target.kind == CPrinterTarget::Kind::SvgFile)
        return std::make_unique<CSvgPrintDevice>(target);
    return std::make_unique<CQtPrintDevice>(target);
}

void CPrintDevice::AttachAttributes(CDC& dc)
{
    m_attributes = CImage(1, 1, RGB(255, 255, 255));
    m_attributes.SetDpi(m_dpi, m_dpi);
    dc.AttachImage(m_attributes);
}

bool CPrintDevice::EndPage(CDC& dc)
{
    if (m_target.onPage)
        m_target.onPage(CImage(), dc.GetMapping());
    return true;
}

CPageGeometry PageGeometryOf(const CPrinterTarget& target)
{
    return CPrintDevice::Create(target)->Geometry();
}
