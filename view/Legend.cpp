#include "Legend.h"

#include "model/FactionTable.h"
#include "model/StarMap.h"

void DrawLegend(CDC* pDC, CStarMap* map)
{
    pDC->SetBkColor(RGB(0, 0, 0));
    for (int i = 0; i < static_cast<int>(kLegendRows.size()); ++i) {
        CPen* pen;
        COLORREF color;
        map->GetFactionPen(kLegendRows[i].code, pen, color);
        pDC->SetTextColor(color);
        pDC->TextOut(0, kLegendRowHeight * i, kLegendRows[i].text);
    }
}
