// SPDX-License-Identifier: MIT
#pragma once

// A surface that records every call the map drawing makes, as text, and
// keeps the state as a real surface would.

#include "platform/surface/DC.h"

#include <cstdio>
#include <string>
#include <vector>

class RecordingDC : public CDC {
public:
    std::vector<std::string> calls;

    CPen* SelectObject(CPen* pen) override
    {
        calls.push_back("SelectPen " + Hex(pen->GetColor()));
        return CDC::SelectObject(pen);
    }
    CBrush* SelectObject(CBrush* brush) override
    {
        calls.push_back("SelectBrush");
        return CDC::SelectObject(brush);
    }
    CFont* SelectObject(CFont* font) override
    {
        calls.push_back(font->IsSystemFont() ? "SelectFont system"
                                             : "SelectFont " + std::to_string(font->GetLogFont().lfHeight) +
                                                   " " + font->GetLogFont().lfFaceName);
        return CDC::SelectObject(font);
    }
    CGdiObject* SelectStockObject(int index) override
    {
        calls.push_back("SelectStock " + std::to_string(index));
        return CDC::SelectStockObject(index);
    }
    COLORREF SetTextColor(COLORREF c) override
    {
        calls.push_back("SetTextColor " + Hex(c));
        return CDC::SetTextColor(c);
    }
    COLORREF SetBkColor(COLORREF c) override
    {
        calls.push_back("SetBkColor " + Hex(c));
        return CDC::SetBkColor(c);
    }
    BOOL TextOut(int x, int y, const char* text, int length) override
    {
        calls.push_back("TextOut " + Pt(x, y) + " " + std::string(text, length));
        return CDC::TextOut(x, y, text, length);
    }
    BOOL Ellipse(int l, int t, int r, int b) override
    {
        calls.push_back("Ellipse " + Pt(l, t) + " " + Pt(r, b));
        return CDC::Ellipse(l, t, r, b);
    }
    CPoint MoveTo(int x, int y) override
    {
        calls.push_back("MoveTo " + Pt(x, y));
        return CDC::MoveTo(x, y);
    }
    BOOL LineTo(int x, int y) override
    {
        calls.push_back("LineTo " + Pt(x, y));
        return CDC::LineTo(x, y);
    }

    static std::string Hex(COLORREF c)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%06X", c);
        return buf;
    }
    static std::string Pt(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};
