// SPDX-License-Identifier: MIT
#include "PosterLayout.h"

#include <algorithm>

namespace {

int PagesWithin(int count)
{
    return std::clamp(count, 1, CPosterLayout::kMaxPages);
}

} // namespace

CPosterLayout::CPosterLayout(CSize pages, int dpi)
    : m_pages(PagesWithin(pages.cx), PagesWithin(pages.cy)), m_dpi(std::max(dpi, 1))
{
}

int CPosterLayout::Times() const
{
    return std::min(m_pages.cx, m_pages.cy);
}

CPoint CPosterLayout::Place(int page) const
{
    int index = std::clamp(page, 1, PageCount()) - 1;
    return CPoint(index % m_pages.cx, index / m_pages.cx);
}

CSize CPosterLayout::Sheet() const
{
    return CSize(kSheetWidthInches * m_dpi, kSheetHeightInches * m_dpi);
}

CRect CPosterLayout::Area() const
{
    return CRect(Border(), Border(), Border() + CMapViewport::kPageWidthInches * m_dpi,
                 Border() + CMapViewport::kPageHeightInches * m_dpi);
}

CRect CPosterLayout::Drawn(int page) const
{
    CRect drawn = Area();
    CPoint at = Place(page);
    if (at.x + 1 < m_pages.cx)
        drawn.right += Overlap();
    if (at.y + 1 < m_pages.cy)
        drawn.bottom += Overlap();
    return drawn;
}

CMapping CPosterLayout::Mapping(const CMapViewport& viewport, int page) const
{
    const int w = CMapViewport::kPageWidthInches * m_dpi, h = CMapViewport::kPageHeightInches * m_dpi;
    const int k = Times();
    CPoint at = Place(page);
    // The picture, k areas wide and high, in the middle of the poster's
    // columns x rows areas; this page's area starts at column x, row y.
    CPoint pictureTopLeft(Border() + (m_pages.cx - k) * w / 2 - at.x * w,
                          Border() + (m_pages.cy - k) * h / 2 - at.y * h);
    return viewport.PageMapping(m_dpi, m_dpi, k, pictureTopLeft);
}

std::vector<CPosterLayout::Segment> CPosterLayout::CutMarks() const
{
    const CRect a = Area();
    // From a sixteenth of an inch past the overlap to a sixteenth short of
    // the sheet's edge.
    const int nearEnd = Overlap() + m_dpi / 16, farEnd = Border() - m_dpi / 16;
    std::vector<Segment> marks;
    for (int x : {a.left, a.right - 1}) {
        for (int y : {a.top, a.bottom - 1}) {
            const int sx = x == a.left ? -1 : 1, sy = y == a.top ? -1 : 1;
            marks.push_back({CPoint(x + sx * nearEnd, y), CPoint(x + sx * farEnd, y)});
            marks.push_back({CPoint(x, y + sy * nearEnd), CPoint(x, y + sy * farEnd)});
        }
    }
    return marks;
}

std::string CPosterLayout::Label(int page) const
{
    CPoint at = Place(page);
    return "row " + std::to_string(at.y + 1) + " of " + std::to_string(m_pages.cy) + ", column " +
           std::to_string(at.x + 1) + " of " + std::to_string(m_pages.cx);
}

int CPosterLayout::LabelHeight() const
{
    return std::max(m_dpi / 6, 1);
}

CPoint CPosterLayout::LabelAt() const
{
    // Clear of the top left corner's marks, in the middle of the border.
    return CPoint(Area().left + Border(), std::max((Border() - LabelHeight()) / 2, 0));
}
