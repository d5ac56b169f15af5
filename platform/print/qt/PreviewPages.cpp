// SPDX-License-Identifier: MIT
#include "platform/print/qt/PreviewPages.h"

#include "platform/print/PrintPreview.h"
#include "platform/surface/qt/ImageData.h"

#include <QPainter>
#include <QScrollArea>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 12;  // pixels around and between the pages
constexpr int kZoomFactors[] = {1, 2, 4};

} // namespace

PreviewPages::PreviewPages(CPreviewView* preview, QScrollArea* area) : QWidget(area), m_preview(preview), m_area(area)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewPages::Relayout()
{
    QSize view = m_area->viewport()->size();
    int dpi = Dpi();
    QSize pages(Slots() * PaperPixels(dpi).width() + (Slots() + 1) * kGap, PaperPixels(dpi).height() + 2 * kGap);
    resize(pages.expandedTo(view));
    update();
}

void PreviewPages::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    int dpi = Dpi();
    QSize paper = PaperPixels(dpi);
    int total = Slots() * paper.width() + (Slots() - 1) * kGap;
    int x = std::max(kGap, (width() - total) / 2);
    for (int i = 0; i < Slots(); ++i, x += paper.width() + kGap) {
        UINT page = m_preview->GetCurrentPage() + static_cast<UINT>(i);
        const CImage& picture = Picture(page, dpi);
        if (picture.IsNull())
            continue;  // no such page: nothing to show
        QRect sheet(x, kGap, paper.width(), paper.height());
        p.fillRect(sheet.translated(3, 3), Qt::black);
        p.fillRect(sheet, Qt::white);
        QPointF at = QPointF(sheet.topLeft()) + m_geometry.printable.topLeft() * dpi;
        p.drawImage(at, picture.Data()->image);
        p.setPen(Qt::black);
        p.drawRect(sheet.adjusted(0, 0, -1, -1));
    }
}

int PreviewPages::Slots() const
{
    return m_preview->GetZoom() == 0 ? m_preview->GetPageCount() : 1;
}

QSize PreviewPages::PaperPixels(int dpi) const
{
    return QSize(static_cast<int>(std::lround(m_geometry.paper.width() * dpi)),
                 static_cast<int>(std::lround(m_geometry.paper.height() * dpi)));
}

int PreviewPages::Dpi() const
{
    QSize view = m_area->viewport()->size();
    int n = Slots();
    double w = std::max(1.0, m_geometry.paper.width()), h = std::max(1.0, m_geometry.paper.height());
    double fit = std::min((view.width() - (n + 1) * kGap) / (n * w), (view.height() - 2 * kGap) / h);
    return std::max(1, static_cast<int>(fit * kZoomFactors[m_preview->GetZoom()]));
}

const CImage& PreviewPages::Picture(UINT page, int dpi)
{
    if (dpi != m_cachedDpi) {
        m_cache.clear();
        m_cachedDpi = dpi;
    }
    auto it = m_cache.find(page);
    if (it == m_cache.end())
        it = m_cache.emplace(page, m_preview->RenderPage(page, dpi)).first;
    return it->second;
}
