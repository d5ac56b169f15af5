// SPDX-License-Identifier: MIT
#include "KestrinView.h"

#include "Legend.h"

#include "model/find/NameSuggestions.h"
#include "model/find/PlanetIndex.h"

#include "res/ResourceIds.h"

#include "platform/framework/ClientDC.h"
#include "platform/framework/Shell.h"
#include "platform/surface/DC.h"

CKestrinView::CKestrinView()
{
    OnCommandId(ID_ZOOM_IN, [this] { OnZoomIn(); });
    OnCommandId(ID_ZOOM_OUT, [this] { OnZoomOut(); });
    OnCommandId(ID_ZOOM_EXTENTS, [this] { OnZoomExtents(); });
    OnCommandId(ID_CENTER_ON, [this] { OnCenterOn(); });
    OnCommandId(ID_VIEW_TRUCE_LINE, [this] { OnViewTruceLine(); });
    OnCommandId(ID_VIEW_CIRCLES, [this] { OnViewCircles(); });
    OnCommandId(ID_VIEW_LEGEND, [this] { OnViewLegend(); });
    OnCommandId(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnCommandId(ID_VIEW_README, [this] { OnViewReadme(); });
    OnUpdateId(ID_VIEW_TRUCE_LINE, [this](CCmdUI* ui) { OnUpdateViewTruceLine(ui); });
    OnUpdateId(ID_VIEW_CIRCLES, [this](CCmdUI* ui) { OnUpdateViewCircles(ui); });
    OnUpdateId(ID_VIEW_LEGEND, [this](CCmdUI* ui) { OnUpdateViewLegend(ui); });
    for (UINT id : {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, ID_CENTER_ON, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        OnUpdateId(id, [this](CCmdUI* ui) { OnUpdateMapCommand(ui); });
}

CKestrinView::~CKestrinView() = default;

CStarMap* CKestrinView::Map() const
{
    CKestrinDoc* doc = GetDocument();
    return doc ? doc->m_pMap : nullptr;
}

bool CKestrinView::HasPlanets() const
{
    CStarMap* map = Map();
    return map != nullptr && map->HasPlanets();
}

int CKestrinView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    SetClassBackground(BLACK_BRUSH);
    SetClassCursor(IDC_CROSS);
    return 0;
}

void CKestrinView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    // Built from the map before: the next use builds them again.
    m_hoverIndex.Drop();
    m_nameSuggestions.Drop();
    ShowScrollBar(SB_HORZ, TRUE);
    ShowScrollBar(SB_VERT, TRUE);
    UpdateScrollBars();
}

void CKestrinView::OnDraw(CDC* pDC)
{
    CStarMap* map = Map();
    if (map == nullptr)
        return;
    map->Draw(pDC, m_showCircles, m_showTruceLine);
    if (pDC->IsPrinting() || !m_showLegend)
        return;
    // The legend stands in window pixels, on a surface of its own.
    CClientDC dc(this);
    DrawLegend(&dc, map);
}

BOOL CKestrinView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CKestrinView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CKestrinView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CKestrinView::OnUpdateMapCommand(CCmdUI* ui)
{
    ui->Enable(HasPlanets());
}

void CKestrinView::ToggleAndRepaint(BOOL& field)
{
    field = field ? FALSE : TRUE;
    Invalidate(TRUE);
}

void CKestrinView::UpdateToggle(CCmdUI* ui, BOOL field)
{
    if (!HasPlanets()) {
        ui->Enable(FALSE);  // the check mark stays as it was
        return;
    }
    ui->Enable(TRUE);
    ui->SetCheck(field ? 1 : 0);
}

void CKestrinView::OnViewTruceLine() { ToggleAndRepaint(m_showTruceLine); }
void CKestrinView::OnUpdateViewTruceLine(CCmdUI* ui) { UpdateToggle(ui, m_showTruceLine); }
void CKestrinView::OnViewCircles() { ToggleAndRepaint(m_showCircles); }
void CKestrinView::OnUpdateViewCircles(CCmdUI* ui) { UpdateToggle(ui, m_showCircles); }
void CKestrinView::OnViewLegend() { ToggleAndRepaint(m_showLegend); }
void CKestrinView::OnUpdateViewLegend(CCmdUI* ui) { UpdateToggle(ui, m_showLegend); }

void CKestrinView::OnEditUndo()
{
    if (CStarMap* map = Map())
        map->RemoveLastMeasureLine();
    Invalidate(TRUE);
}

void CKestrinView::OnViewReadme()
{
    AfxShellOpen("readme.txt");
}
