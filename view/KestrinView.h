// SPDX-License-Identifier: MIT
#pragma once

// The map view: shows the document's map under an isotropic mapping of its
// zoom and centre, zooms and scrolls, and turns mouse drags into a zoom box
// or a measure line. Zoom and centre are in map units; gesture points are
// client pixels. All of its state but what it builds from the map (the
// tip's planet index, the names folded for Center On) outlives a change of
// file. Every mapping, scroll and zoom rule comes from CMapViewport, made
// from the zoom, the centre, the client area and the scroll-bar metrics of
// the moment. While the pointer rests on planets with no button down, the
// view's pointer tip names them (PlanetHover.h); the tip draws nothing
// into the view.

#include "BuiltFromMap.h"
#include "MapViewport.h"

#include "model/KestrinDoc.h"

#include "platform/print/View.h"

#include <functional>

class CNameSuggestions;
class CPlanetIndex;

class CKestrinView : public CView {
public:
    // The longest rubber band of a measuring drag.
    static constexpr int kMaxMeasureLightYears = 30;

    CKestrinView();
    ~CKestrinView() override;

    CKestrinDoc* GetDocument() const { return static_cast<CKestrinDoc*>(CView::GetDocument()); }
    CStarMap* Map() const;
    // The map has planets: the count, read as 16 bits, is above 0.
    bool HasPlanets() const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    int OnCreate() override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    void OnZoomIn();
    void OnZoomOut();
    void OnZoomExtents();
    void OnCenterOn();
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnUpdateMapCommand(CCmdUI* ui);

    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;

    void OnViewTruceLine();
    void OnUpdateViewTruceLine(CCmdUI* ui);
    void OnViewCircles();
    void OnUpdateViewCircles(CCmdUI* ui);
    void OnViewLegend();
    void OnUpdateViewLegend(CCmdUI* ui);
    void OnEditUndo();
    void OnViewReadme();

    // Shows or hides the bars and sets their ranges and thumbs.
    void UpdateScrollBars();
    // Client pixels to map units, in place, under the screen mapping.
    void DeviceToMap(CPoint& point);
    // Whole light years between two client points (20 map units each).
    int LightYearsBetween(CPoint p1, CPoint p2);

    CSize m_zoom{CMapViewport::kFullExtent, CMapViewport::kFullExtent};
    CPoint m_center{0, 0};
    CRect m_zoomBox{0, 0, 0, 0};
    CPoint m_measureStart{0, 0};
    CPoint m_measureEnd{0, 0};
    BOOL m_showCircles = FALSE;
    BOOL m_showTruceLine = FALSE;
    BOOL m_showLegend = FALSE;

private:
    // The screen's viewport as the view stands now.
    CMapViewport Viewport() const;
    // Applies a change of zoom or centre, then refreshes the scroll bars
    // and repaints.
    void ChangeViewport(const std::function<void(CMapViewport&)>& change);
    void Scroll(int bar, UINT code, UINT pos);
    void ToggleAndRepaint(BOOL& field);
    void UpdateToggle(CCmdUI* ui, BOOL field);
    CRect NormalisedZoomBox() const;
    void DrawZoomBox(CDC& dc) const;
    void DrawMeasureBand(CDC& dc) const;
    CPoint ClampMeasureEnd(CPoint q) const;
    bool InClientArea(CPoint point) const;
    // The tip for the planets under the pointer, or none.
    void UpdatePointerTip(UINT flags, CPoint point);

    // Gesture state: a release counts only after a press in this view, and
    // only a figure that was drawn is erased.
    bool m_zoomPressed = false;
    bool m_boxDrawn = false;
    bool m_measurePressed = false;
    bool m_bandDrawn = false;

    // Built on the first hover, and on the first Center On.
    CBuiltFromMap<CPlanetIndex> m_hoverIndex;
    CBuiltFromMap<CNameSuggestions> m_nameSuggestions;
};
