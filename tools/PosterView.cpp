// SPDX-License-Identifier: MIT
#include "PosterView.h"

#include "platform/surface/DC.h"
#include "platform/surface/Font.h"

#include <cstring>

namespace {

// The sheet in its default mapping: one unit a device pixel.
void DeviceMapping(CDC& dc)
{
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
}

void Whiten(CDC& dc, CSize sheet, const CRect& keep)
{
    const COLORREF white = RGB(255, 255, 255);
    dc.FillSolidRect(CRect(0, 0, sheet.cx, keep.top), white);
    dc.FillSolidRect(CRect(0, keep.bottom, sheet.cx, sheet.cy), white);
    dc.FillSolidRect(CRect(0, keep.top, keep.left, keep.bottom), white);
    dc.FillSolidRect(CRect(keep.right, keep.top, sheet.cx, keep.bottom), white);
}

LOGFONT LabelFont(int height)
{
    LOGFONT desc;
    desc.lfHeight = -height;
    desc.lfWeight = FW_NORMAL;
    desc.lfCharSet = ANSI_CHARSET;
    desc.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(desc.lfFaceName, "Arial", sizeof desc.lfFaceName - 1);
    return desc;
}

} // namespace

CPosterView::CPosterView(const CMapViewport& viewport, std::optional<CPosterLayout> poster,
                         const std::optional<CRect>& ring)
    : CPictureView(ring), m_viewport(viewport), m_poster(std::move(poster))
{
    m_zoom = viewport.GetZoom();
    m_center = viewport.GetCenter();
}

void CPosterView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CKestrinView::OnBeginPrinting(pDC, pInfo);
    if (!m_poster)
        return;
    pInfo->SetMaxPage(UINT(m_poster->PageCount()));
    pInfo->m_nToPage = pInfo->GetMaxPage();
}

void CPosterView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo == nullptr) {
        CKestrinView::OnPrepareDC(pDC, pInfo);
        return;
    }
    CView::OnPrepareDC(pDC, pInfo);
    if (!m_poster) {
        m_viewport.PreparePage(*pDC);
        return;
    }
    CMapViewport::Prepare(*pDC, m_poster->Mapping(m_viewport, int(pInfo->m_nCurPage)));
}

void CPosterView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnDraw(pDC);
    if (m_poster)
        DrawSheetBorder(*pDC, int(pInfo->m_nCurPage));
}

void CPosterView::DrawSheetBorder(CDC& dc, int page) const
{
    DeviceMapping(dc);
    Whiten(dc, m_poster->Sheet(), m_poster->Drawn(page));
    // The surface's default pen: black, one pixel at any mapping.
    for (const CPosterLayout::Segment& mark : m_poster->CutMarks()) {
        // A line leaves out its last pixel: end one past the mark.
        auto past = [](int from, int to) { return to + (to > from) - (to < from); };
        dc.MoveTo(mark.from.x, mark.from.y);
        dc.LineTo(past(mark.from.x, mark.to.x), past(mark.from.y, mark.to.y));
    }
    LOGFONT desc = LabelFont(m_poster->LabelHeight());
    CFont font;
    font.CreateFontIndirect(&desc);
    CFont* old = dc.SelectObject(&font);
    const CPoint at = m_poster->LabelAt();
    dc.TextOut(at.x, at.y, m_poster->Label(page));
    dc.SelectObject(old);
}
