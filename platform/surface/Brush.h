// SPDX-License-Identifier: MIT
#pragma once

// A solid brush, or the hollow brush that leaves an ellipse's inside alone.

#include "platform/surface/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHollowBrush();

    bool IsHollow() const { return m_hollow; }
    COLORREF GetColor() const { return m_color; }

private:
    bool m_hollow = false;
    COLORREF m_color = 0;
};
