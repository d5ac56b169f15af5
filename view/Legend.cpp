// SPDX-License-Identifier: MIT
#include "Legend.h"

#include "model/map/FactionTable.h"
#include "model/map/StarMap.h"
#include "platform/surface/DC.h"

void DrawLegend(CDC* pDC, CStarMap* map)
{
    pDC->SetBkColor(RGB(0, 0, 0));
    // The rows follow the system font, which grows with the surface's density.
    int rowHeight = static_cast<int>(MulDivRound(kLegendRowHeight, pDC->GetDeviceCaps(LOGPIXELSY), 96));
    for (int i = 0; i < static_cast<int>(kLegendRows.size()); ++i) {
        CPen* pen;
        COLORREF color;
        map->GetFactionPen(kLegendRows[i].code, pen, color);
        pDC->SetTextColor(color);
        pDC->TextOut(0, rowHeight * i, kLegendRows[i].text);
    }
}
