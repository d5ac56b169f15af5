// SPDX-License-Identifier: MIT
#include "platform/surface/Brush.h"

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
