#include "platform/surface/GdiObject.h"

#include <cstring>

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

CPen::CPen(int style, int width, COLORREF color) : CGdiObject(Kind::Pen)
{
    CreatePen(style, width, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    if (m_valid || style != PS_SOLID || width < 0)
        return FALSE;
    m_style = style;
    m_width = width;
    m_color = color & 0x00FFFFFF;
    m_valid = true;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (m_valid)
        return FALSE;
    m_hollow = false;
    m_color = color & 0x00FFFFFF;
    m_valid = true;
    return TRUE;
}

BOOL CBrush::CreateHollowBrush()
{
    if (m_valid)
        return FALSE;
    m_hollow = true;
    m_valid = true;
    return TRUE;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* desc)
{
    if (m_valid || desc == nullptr)
        return FALSE;
    m_desc = *desc;
    // The face name field need not be terminated; keep it bounded.
    m_desc.lfFaceName[sizeof(m_desc.lfFaceName) - 1] = '\0';
    m_encoding = CTextEncoding::Windows1252;
    m_valid = true;
    return TRUE;
}
