// SPDX-License-Identifier: MIT
// The two mouse gestures of the map view: a zoom box with the left button,
// a measuring line with the right. Both rubber bands are drawn by
// exclusive-or on a client surface, so drawing a figure again erases it.
// The toolkit keeps sending a drag's moves and its release after the
// pointer has left the view; a release out there only erases the band, so
// that dragging out of the window cancels a gesture begun by mistake.
// Beside the gestures, a move with no button down names the planets under
// the pointer in the view's pointer tip.

#include "KestrinView.h"

#include "PlanetHover.h"

#include "model/find/PlanetIndex.h"

#include "platform/framework/ClientDC.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/PointerTip.h"

#include <algorithm>
#include <cstdlib>

CRect CKestrinView::NormalisedZoomBox() const
{
    return CRect(std::min(m_zoomBox.left, m_zoomBox.right), std::min(m_zoomBox.top, m_zoomBox.bottom),
                 std::max(m_zoomBox.left, m_zoomBox.right), std::max(m_zoomBox.top, m_zoomBox.bottom));
}

void CKestrinView::DrawZoomBox(CDC& dc) const
{
    CRect box = NormalisedZoomBox();
    dc.DrawFocusRect(&box);
}

void CKestrinView::DrawMeasureBand(CDC& dc) const
{
    dc.SetROP2(R2_XORPEN);
    dc.SelectStockObject(WHITE_PEN);
    dc.MoveTo(m_measureStart.x, m_measureStart.y);
    dc.LineTo(m_measureEnd.x, m_measureEnd.y);
}

void CKestrinView::OnLButtonDown(UINT, CPoint point)
{
    m_zoomBox = CRect(point.x, point.y, point.x, point.y);
    m_zoomPressed = true;
    m_boxDrawn = false;
}

void CKestrinView::OnRButtonDown(UINT, CPoint point)
{
    m_measureStart = m_measureEnd = point;
    m_measurePressed = true;
    m_bandDrawn = false;
}

void CKestrinView::UpdatePointerTip(UINT flags, CPoint point)
{
    // Never during a drag, nor while print preview stands in the view's
    // place.
    const bool resting = !(flags & (MK_LBUTTON | MK_RBUTTON)) && !m_zoomPressed && !m_measurePressed;
    const CFrameWnd* frame = GetParentFrame();
    const bool shown = frame == nullptr || frame->GetActiveView() == this;
    CStarMap* map = Map();
    if (!resting || !shown || map == nullptr) {
        SetPointerTip(*this, std::string());
        return;
    }
    SetPointerTip(*this, HoverText(*map, m_hoverIndex.For(*GetDocument()), Viewport(), point));
}

void CKestrinView::OnMouseMove(UINT flags, CPoint point)
{
    UpdatePointerTip(flags, point);
    if (flags & MK_LBUTTON) {
        // The left button wins while both are down.
        if (!m_zoomPressed)
            return;
        CClientDC dc(this);
        if (m_boxDrawn)
            DrawZoomBox(dc);
        m_zoomBox.right = point.x;
        m_zoomBox.bottom = point.y;
        DrawZoomBox(dc);
        m_boxDrawn = true;
        return;
    }
    if (!(flags & MK_RBUTTON) || !m_measurePressed)
        return;
    CClientDC dc(this);
    if (m_bandDrawn)
        DrawMeasureBand(dc);
    m_measureEnd = ClampMeasureEnd(point);
    DrawMeasureBand(dc);
    m_bandDrawn = true;
}

CPoint CKestrinView::ClampMeasureEnd(CPoint q) const
{
    // One-pixel steps toward the start on both axes at once. Where a single
    // pixel spans more than the limit the steps could circle the start for
    // ever, so they stop after as many steps as the longer axis needs.
    long long steps = std::max(std::llabs(static_cast<long long>(q.x) - m_measureStart.x),
                               std::llabs(static_cast<long long>(q.y) - m_measureStart.y)) + 1;
    // One viewport for all the steps: the conversion LightYearsBetween
    // makes, without measuring the client area per step.
    const CMapViewport viewport = Viewport();
    while (steps-- > 0 && viewport.LightYearsBetween(m_measureStart, q) > kMaxMeasureLightYears) {
        q.x += m_measureStart.x < q.x ? -1 : 1;
        q.y += m_measureStart.y < q.y ? -1 : 1;
    }
    return q;
}

bool CKestrinView::InClientArea(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    return point.x >= client.left && point.x < client.right && point.y >= client.top && point.y < client.bottom;
}

void CKestrinView::OnLButtonUp(UINT, CPoint point)
{
    if (!m_zoomPressed)
        return;
    m_zoomPressed = false;
    if (m_boxDrawn) {
        CClientDC dc(this);
        DrawZoomBox(dc);
        m_boxDrawn = false;
    }
    CRect box = NormalisedZoomBox();
    if (box.Width() <= 0 || box.Height() <= 0 || !HasPlanets() || !InClientArea(point))
        return;
    ChangeViewport([&box](CMapViewport& v) { v.ZoomToBox(box); });
}

void CKestrinView::OnRButtonUp(UINT, CPoint point)
{
    if (!m_measurePressed)
        return;
    m_measurePressed = false;
    if (m_bandDrawn) {
        CClientDC dc(this);
        DrawMeasureBand(dc);
        m_bandDrawn = false;
    }
    if (!InClientArea(point))
        return;
    m_measureEnd = point;
    CStarMap* map = Map();
    if (!HasPlanets() || point == m_measureStart)
        return;
    int lightYears = LightYearsBetween(m_measureStart, m_measureEnd);
    DeviceToMap(m_measureStart);
    DeviceToMap(m_measureEnd);
    map->AddMeasureLine(m_measureStart.x, m_measureStart.y, m_measureEnd.x, m_measureEnd.y, lightYears);
    Invalidate(TRUE);
}
