// SPDX-License-Identifier: MIT
#include "platform/print/qt/QtPrintDevice.h"

#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

CQtPrintDevice::CQtPrintDevice(const CPrinterTarget& t) : CPrintDevice(t)
{
    CreatePrinter();
    if (!m_printer)
        return;
    if (t.kind == CPrinterTarget::Kind::Printer && !t.paper.empty())
        m_printer->setPageSize(PaperOf(t));
    if (t.kind == CPrinterTarget::Kind::Printer && t.landscape)
        m_printer->setPageOrientation(QPageLayout::Landscape);
    m_printer->setCopyCount(std::max(1, t.copies));
    if (t.dpi > 0 || t.kind == CPrinterTarget::Kind::PdfFile)
        m_printer->setResolution(t.dpi > 0 ? t.dpi : kDefaultPageDpi);
    m_dpi = m_printer->resolution();
}

CQtPrintDevice::~CQtPrintDevice() = default;

void CQtPrintDevice::CreatePrinter()
{
    const CPrinterTarget& t = m_target;
    if (t.kind == CPrinterTarget::Kind::Printer) {
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(t.name));
        m_printer = info.isNull() ? nullptr : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        return;
    }
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(QString::fromStdString(t.file));
    double m = std::max(0.0, t.margin);
    m_printer->setPageLayout(QPageLayout(PaperOf(t), t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(m, m, m, m), QPageLayout::Inch));
}

CPageGeometry CQtPrintDevice::Geometry() const
{
    if (!m_printer)
        return FileGeometry(m_target);
    QPageLayout layout = m_printer->pageLayout();
    return {layout.fullRect(QPageLayout::Inch).size(), layout.paintRect(QPageLayout::Inch)};
}

bool CQtPrintDevice::StartDoc(const std::string& title)
{
    if (!m_printer || !m_printer->isValid())
        return false;
    m_printer->setDocName(QString::fromStdString(title));
    if (m_target.kind != CPrinterTarget::Kind::PdfFile)
        return true;
    if (!m_output.Begin(m_target.file, m_target.keep, m_target.bytes)) {
        m_error = m_output.Reason();
        return false;
    }
    m_printer->setOutputFileName(QString::fromStdString(m_output.WriterPath()));
    return true;
}

bool CQtPrintDevice::StartPage(CDC& dc)
{
    if (!m_begun) {
        m_begun = CDCAccess::Attach(dc, m_printer.get(), m_dpi, m_dpi);
    } else {
        if (!m_printer->newPage())
            return false;
        CDCAccess::Reset(dc);
    }
    // A file page reaches into the margins where a printer could not
    // print; nothing is drawn there.
    CDCAccess::ClipToDevice(dc);
    return m_begun;
}

bool CQtPrintDevice::EndDoc(CDC& dc)
{
    dc.Detach();  // the writer finishes the file as its painter ends
    if (!m_begun)
        m_output.Abandon();  // no page printed: no file either
    if (m_target.kind != CPrinterTarget::Kind::PdfFile || !m_begun || m_output.Finish())
        return true;
    m_error = m_output.Reason();
    return false;
}

void CQtPrintDevice::AbortDoc(CDC& dc)
{
    m_output.Abandon();
    if (!m_begun)
        return;
    m_printer->abort();
    dc.Detach();
}
