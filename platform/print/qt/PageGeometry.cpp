// SPDX-License-Identifier: MIT
#include "platform/print/qt/PageGeometry.h"

#include <QLocale>
#include <QPrinterInfo>

#include <algorithm>

QPageSize DefaultPaper()
{
    static const QPageSize paper = [] {
        QPageSize printers = QPrinterInfo::defaultPrinter().defaultPageSize();
        if (printers.isValid())
            return printers;
        bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
        return QPageSize(us ? QPageSize::Letter : QPageSize::A4);
    }();
    return paper;
}

QPageSize PaperOf(const CPrinterTarget& t)
{
    if (t.paperWidth > 0 && t.paperHeight > 0)
        return QPageSize(QSizeF(t.paperWidth, t.paperHeight), QPageSize::Inch, QString(), QPageSize::ExactMatch);
    for (int id = 0; !t.paper.empty() && id <= QPageSize::LastPageSize; ++id) {
        QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.key().toStdString() == t.paper)
            return size;
    }
    return t.kind == CPrinterTarget::Kind::ImagePage ? QPageSize(QPageSize::Letter) : DefaultPaper();
}

CPageGeometry FileGeometry(const CPrinterTarget& t)
{
    QSizeF paper = PaperOf(t).size(QPageSize::Inch);
    if (t.landscape)
        paper.transpose();
    double m = std::max(0.0, t.margin);
    return {paper, QRectF(m, m, std::max(paper.width() - 2 * m, 0.1), std::max(paper.height() - 2 * m, 0.1))};
}
