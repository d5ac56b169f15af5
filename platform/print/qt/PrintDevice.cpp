#include "platform/print/qt/PrintDevice.h"

#include "platform/print/qt/PdfFileOutput.h"
#include "platform/surface/DC.h"
#include "platform/surface/qt/DCAccess.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace {

constexpr int kDefaultDpi = 600;

QPageSize PaperOf(const CPrinterTarget& t)
{
    if (t.paper.empty())
        return QPageSize(QPageSize::Letter);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.key().toStdString() == t.paper)
            return size;
    }
    return QPageSize(QPageSize::Letter);
}

// Files and image pages: the paper with the target's border on every side.
CPageGeometry FileGeometry(const CPrinterTarget& t)
{
    QSizeF paper = PaperOf(t).size(QPageSize::Inch);
    if (t.landscape)
        paper.transpose();
    double m = std::max(0.0, t.margin);
    return {paper, QRectF(m, m, std::max(paper.width() - 2 * m, 0.1), std::max(paper.height() - 2 * m, 0.1))};
}

class CQtPrintDevice : public CPrintDevice {
public:
    explicit CQtPrintDevice(const CPrinterTarget& t) : CPrintDevice(t)
    {
        if (t.kind == CPrinterTarget::Kind::Printer) {
            QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(t.name));
            m_printer = info.isNull() ? nullptr : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        } else {
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(QString::fromStdString(t.file));
            double m = std::max(0.0, t.margin);
            m_printer->setPageLayout(QPageLayout(PaperOf(t), t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                                 QMarginsF(m, m, m, m), QPageLayout::Inch));
        }
        if (!m_printer)
            return;
        if (t.kind == CPrinterTarget::Kind::Printer && !t.paper.empty())
            m_printer->setPageSize(PaperOf(t));
        if (t.kind == CPrinterTarget::Kind::Printer && t.landscape)
            m_printer->setPageOrientation(QPageLayout::Landscape);
        m_printer->setCopyCount(std::max(1, t.copies));
        if (t.dpi > 0 || t.kind == CPrinterTarget::Kind::PdfFile)
            m_printer->setResolution(t.dpi > 0 ? t.dpi : kDefaultDpi);
        m_dpi = m_printer->resolution();
    }

    CPageGeometry Geometry() const override
    {
        if (!m_printer)
            return FileGeometry(m_target);
        QPageLayout layout = m_printer->pageLayout();
        return {layout.fullRect(QPageLayout::Inch).size(), layout.paintRect(QPageLayout::Inch)};
    }

    bool StartDoc(const std::string& title) override
    {
        if (!m_printer || !m_printer->isValid())
            return false;
        m_printer->setDocName(QString::fromStdString(title));
        if (m_target.kind != CPrinterTarget::Kind::PdfFile)
            return true;
        if (!m_output.Begin(m_target.file)) {
            m_error = m_output.Reason();
            return false;
        }
        m_printer->setOutputFileName(QString::fromStdString(m_output.WriterPath()));
        return true;
    }

    bool StartPage(CDC& dc) override
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

    bool EndDoc(CDC& dc) override
    {
        dc.Detach();  // the writer finishes the file as its painter ends
        if (!m_begun)
            m_output.Abandon();  // no page printed: no file either
        if (m_target.kind != CPrinterTarget::Kind::PdfFile || !m_begun || m_output.Finish())
            return true;
        m_error = m_output.Reason();
        return false;
    }

    void AbortDoc(CDC& dc) override
    {
        m_output.Abandon();
        if (!m_begun)
            return;
        m_printer->abort();
        dc.Detach();
    }

private:
    std::unique_ptr<QPrinter> m_printer;
    CPdfFileOutput m_output;
    bool m_begun = false;
};

class CImagePrintDevice : public CPrintDevice {
public:
    explicit CImagePrintDevice(const CPrinterTarget& t) : CPrintDevice(t)
    {
        m_dpi = t.dpi > 0 ? t.dpi : kDefaultDpi;
    }

    CPageGeometry Geometry() const override { return FileGeometry(m_target); }
    bool StartDoc(const std::string&) override { return true; }

    bool StartPage(CDC& dc) override
    {
        QRectF area = Geometry().printable;
        m_page = CImage(static_cast<int>(std::lround(area.width() * m_dpi)),
                        static_cast<int>(std::lround(area.height() * m_dpi)), RGB(255, 255, 255));
        m_page.SetDpi(m_dpi, m_dpi);
        return dc.AttachImage(m_page) != FALSE;
    }

    bool EndPage(CDC& dc) override
    {
        CMapping mapping = dc.GetMapping();
        dc.Detach();
        if (m_target.onPage)
            m_target.onPage(m_page, mapping);
        m_page = CImage();
        AttachAttributes(dc);
        return true;
    }

    bool EndDoc(CDC& dc) override
    {
        dc.Detach();
        return true;
    }
    void AbortDoc(CDC& dc) override { dc.Detach(); }

private:
    CImage m_page;
};

} // namespace

std::unique_ptr<CPrintDevice> CPrintDevice::Create(const CPrinterTarget& target)
{
    if (target.kind == CPrinterTarget::Kind::ImagePage)
        return std::make_unique<CImagePrintDevice>(target);
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
