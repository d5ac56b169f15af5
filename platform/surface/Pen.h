// SPDX-License-Identifier: MIT
#pragma once

// A solid pen. Width 0 (and 1) is one device pixel at every mapping.

#include "platform/surface/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color);
    // FALSE when already created, or for a style other than PS_SOLID or a
    // negative width.
    BOOL CreatePen(int style, int width, COLORREF color);

    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColor() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
};
