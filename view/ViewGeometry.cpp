// Mapping, zoom, scrolling and Center On of the map view.

#include "KestrinView.h"

#include "CenterOnDlg.h"

#include "model/LightYears.h"

#include "platform/framework/MessageBox.h"
#include "platform/surface/DC.h"
#include "platform/surface/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace {

constexpr int kPositionsPerExtent = 100;

int Clamp32(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

void CKestrinView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (pInfo == nullptr) {
        PrepareScreen(*pDC);
        return;
    }
    // Eight by ten inches at the printer's resolution.
    int x = pDC->GetDeviceCaps(LOGPIXELSX), y = pDC->GetDeviceCaps(LOGPIXELSY);
    pDC->SetMapMode(MM_ISOTROPIC);
    pDC->SetWindowExt(m_zoom.cx, m_zoom.cy);
    pDC->SetViewportExt(8 * x, 10 * y);
    pDC->SetWindowOrg(m_center.x, m_center.y);
    pDC->SetViewportOrg(4 * x, 5 * y);
}

void CKestrinView::PrepareScreen(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    // A client area no larger than the metric still maps onto one pixel.
    int w = std::max(client.Width() - GetSystemMetrics(SM_CYHSCROLL), 1);
    int h = std::max(client.Height() - GetSystemMetrics(SM_CYVSCROLL), 1);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(m_zoom.cx, m_zoom.cy);
    dc.SetViewportExt(w, h);
    dc.SetWindowOrg(m_center.x, m_center.y);
    dc.SetViewportOrg(w / 2, h / 2);
}

void CKestrinView::DeviceToMap(CPoint& point)
{
    // The screen mapping needs no device, so a bare surface converts as a
    // surface on the client area would.
    CDC dc;
    OnPrepareDC(&dc, nullptr);
    dc.DPtoLP(&point);
}

int CKestrinView::LightYearsBetween(CPoint p1, CPoint p2)
{
    DeviceToMap(p1);
    DeviceToMap(p2);
    return WholeLightYears(p1, p2);
}

void CKestrinView::OnZoomIn()
{
    m_zoom.cx = std::max(m_zoom.cx / 2, kMinExtent);
    m_zoom.cy = std::max(m_zoom.cy / 2, kMinExtent);
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CKestrinView::OnZoomOut()
{
    m_zoom.cx = std::min(m_zoom.cx * 2, kFullExtent);
    m_zoom.cy = std::min(m_zoom.cy * 2, kFullExtent);
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CKestrinView::OnZoomExtents()
{
    m_zoom = CSize(kFullExtent, kFullExtent);
    m_center = CPoint(0, 0);
    UpdateScrollBars();
    Invalidate(TRUE);
}

void CKestrinView::OnCenterOn()
{
    CCenterOnDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    CStarMap* map = Map();
    if (map == nullptr)
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
    int nx = (kFullExtent / m_zoom.cx) * kPositionsPerExtent;
    int ny = (kFullExtent / m_zoom.cy) * kPositionsPerExtent;
    // The thumb stands exactly where the centre is, so the next step starts
    // from the view the user sees.
    SetScrollRange(SB_HORZ, 1 - nx, nx - 1, TRUE);
    SetScrollPos(SB_HORZ, Clamp32(std::int64_t(m_center.x) * kPositionsPerExtent / m_zoom.cx), TRUE);
    SetScrollRange(SB_VERT, 1 - ny, ny - 1, TRUE);
    SetScrollPos(SB_VERT, Clamp32(std::int64_t(m_center.y) * kPositionsPerExtent / m_zoom.cy), TRUE);
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
    std::int64_t p;
    switch (code) {
    case SB_LINEUP: p = std::int64_t(GetScrollPos(bar)) - 1; break;
    case SB_LINEDOWN: p = std::int64_t(GetScrollPos(bar)) + 1; break;
    case SB_PAGEUP: p = std::int64_t(GetScrollPos(bar)) - kPositionsPerExtent; break;
    case SB_PAGEDOWN: p = std::int64_t(GetScrollPos(bar)) + kPositionsPerExtent; break;
    case SB_THUMBPOSITION: p = static_cast<int>(pos); break;
    case SB_ENDSCROLL: Invalidate(TRUE); return;
    default: return;
    }
    SetScrollPos(bar, Clamp32(p), TRUE);
    int extent = bar == SB_HORZ ? m_zoom.cx : m_zoom.cy;
    int centre = Clamp32(p * extent / kPositionsPerExtent);
    (bar == SB_HORZ ? m_center.x : m_center.y) = centre;
}
