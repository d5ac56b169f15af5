// SPDX-License-Identifier: MIT
#include "platform/surface/Pen.h"

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
