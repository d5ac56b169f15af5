#include "platform/print/qt/PageGeometry.h"

#include <algorithm>

QPageSize PaperOf(const CPrinterTarget& t)
{
    if (t.paperWidth > 0 && t.paperHeight > 0)
        return QPageSize(QSizeF(t.paperWidth, t.paperHeight), QPageSize::Inch, QString(), QPageSize::ExactMatch);
    if (t.paper.empty())
        return QPageSize(QPageSize::Letter);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.key().toStdString() == t.paper)
            return size;
    }
    return QPageSize(QPageSize::Letter);
}

CPageGeometry FileGeometry(const CPrinterTarget& t)
{
    QSizeF paper = PaperOf(t).size(QPageSize::Inch);
    if (t.landscape)
        paper.transpose();
    double m = std::max(0.0, t.margin);
    return {paper, QRectF(m, m, std::max(paper.width() - 2 * m, 0.1), std::max(paper.height() - 2 * m, 0.1))};
}
