// SPDX-License-Identifier: MIT
// Mapping, zoom, scrolling and Center On of the map view.

#include "KestrinView.h"

#include "CenterOnDlg.h"
#include "CenterOnSuggestions.h"

#include "res/ResourceIds.h"

#include "platform/framework/MessageBox.h"
#include "platform/surface/DC.h"
#include "platform/surface/TextEncoding.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace {

CMapViewport::Axis AxisOf(int bar)
{
    return bar == SB_HORZ ? CMapViewport::Axis::Horizontal : CMapViewport::Axis::Vertical;
}

} // namespace

CMapViewport CKestrinView::Viewport() const
{
    CRect client;
    GetClientRect(&client);
    return CMapViewport(m_zoom, m_center, CSize(client.Width(), client.Height()),
                        CSize(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYVSCROLL)));
}

void CKestrinView::ChangeViewport(const std::function<void(CMapViewport&)>& change)
{
    CMapViewport viewport = Viewport();
    change(viewport);
    m_zoom = viewport.GetZoom();
    m_center = viewport.GetCenter();
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CKestrinView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (pInfo == nullptr)
        Viewport().PrepareScreen(*pDC);
    else
        CMapViewport(m_zoom, m_center).PreparePage(*pDC);  // the page needs no window
}

void CKestrinView::DeviceToMap(CPoint& point)
{
    point = Viewport().DeviceToMap(point);
}

int CKestrinView::LightYearsBetween(CPoint p1, CPoint p2)
{
    return Viewport().LightYearsBetween(p1, p2);
}

void CKestrinView::OnZoomIn()
{
    ChangeViewport([](CMapViewport& v) { v.ZoomIn(); });
}

void CKestrinView::OnZoomOut()
{
    ChangeViewport([](CMapViewport& v) { v.ZoomOut(); });
}

void CKestrinView::OnZoomExtents()
{
    ChangeViewport([](CMapViewport& v) { v.ZoomExtents(); });
}

void CKestrinView::OnCenterOn()
{
    CStarMap* map = Map();
    CCenterOnDlg dialog;
    if (map != nullptr) {
        auto suggestions = std::make_shared<CCenterOnSuggestions>(*map, m_nameSuggestions.For(*GetDocument()));
        dialog.SetSuggestions(IDC_PLANET_NAME, [suggestions](const std::string& typed) { return (*suggestions)(typed); });
    }
    if (dialog.DoModal() != IDOK || map == nullptr)
        return;
    // The dialog gives UTF-8 and the names are bytes in the map's encoding;
    // a character that encoding cannot hold is in no name.
    std::optional<std::string> name = FromUtf8(dialog.m_planetName, map->GetTextEncoding());
    m_center = name ? map->FindPlanet(*name) : CPoint(0, 0);
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CKestrinView::UpdateScrollBars()
{
    if (!HasPlanets()) {
        ShowScrollBar(SB_HORZ, FALSE);
        ShowScrollBar(SB_VERT, FALSE);
        return;
    }
    ShowScrollBar(SB_HORZ, TRUE);
    ShowScrollBar(SB_VERT, TRUE);
    const CMapViewport viewport = Viewport();
    for (int bar : {SB_HORZ, SB_VERT}) {
        int limit = viewport.ScrollLimit(AxisOf(bar));
        SetScrollRange(bar, -limit, limit, TRUE);
        SetScrollPos(bar, viewport.ThumbPosition(AxisOf(bar)), TRUE);
    }
}

void CKestrinView::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_HORZ, code, pos);
}

void CKestrinView::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_VERT, code, pos);
}

void CKestrinView::Scroll(int bar, UINT code, UINT pos)
{
    const std::int64_t thumb = GetScrollPos(bar);
    std::int64_t p;
    switch (code) {
    case SB_LINEUP: p = thumb - 1; break;
    case SB_LINEDOWN: p = thumb + 1; break;
    case SB_PAGEUP: p = thumb - CMapViewport::kPositionsPerExtent; break;
    case SB_PAGEDOWN: p = thumb + CMapViewport::kPositionsPerExtent; break;
    case SB_THUMBPOSITION: p = static_cast<int>(pos); break;
    case SB_ENDSCROLL: Invalidate(TRUE); return;
    default: return;
    }
    // The bar keeps its thumb in range; the centre follows p as asked.
    SetScrollPos(bar, ClampToInt(p), TRUE);
    CMapViewport viewport = Viewport();
    viewport.ScrollTo(AxisOf(bar), p);
    m_center = viewport.GetCenter();
}
