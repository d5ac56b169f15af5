// SPDX-License-Identifier: MIT
#include "platform/surface/GdiObject.h"

#include "platform/surface/Brush.h"
#include "platform/surface/Font.h"
#include "platform/surface/Pen.h"

BOOL CGdiObject::DeleteObject()
{
    if (!m_valid)
        return FALSE;
    m_valid = false;
    return TRUE;
}

namespace {

struct StockObjects {
    CBrush whiteBrush;
    CBrush blackBrush;
    CBrush nullBrush;
    CPen whitePen{PS_SOLID, 0, RGB(255, 255, 255)};
    CPen blackPen{PS_SOLID, 0, RGB(0, 0, 0)};
    CFont systemFont;

    StockObjects()
    {
        whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
        blackBrush.CreateSolidBrush(RGB(0, 0, 0));
        nullBrush.CreateHollowBrush();
    }
};

} // namespace

CGdiObject* CGdiObject::GetStockObject(int index)
{
    static StockObjects stock;
    static bool systemFontReady = false;
    if (!systemFontReady) {
        LOGFONT desc;
        desc.lfWeight = FW_NORMAL;
        stock.systemFont.CreateFontIndirect(&desc);
        stock.systemFont.m_system = true;
        systemFontReady = true;
    }
    switch (index) {
    case WHITE_BRUSH: return &stock.whiteBrush;
    case BLACK_BRUSH: return &stock.blackBrush;
    case NULL_BRUSH: return &stock.nullBrush;
    case WHITE_PEN: return &stock.whitePen;
    case BLACK_PEN: return &stock.blackPen;
    case SYSTEM_FONT: return &stock.systemFont;
    default: return nullptr;
    }
}
