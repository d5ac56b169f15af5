#include "StarMap.h"

#include <cstdio>
#include <cstring>

namespace {

// The map font: 11 logical units high, so names scale with the map.
LOGFONT MapFontDescription()
{
    LOGFONT desc;
    desc.lfHeight = -11;
    desc.lfWidth = 0;
    desc.lfEscapement = 0;
    desc.lfOrientation = 0;
    desc.lfWeight = FW_NORMAL;
    desc.lfItalic = 0;
    desc.lfUnderline = 0;
    desc.lfStrikeOut = 0;
    desc.lfCharSet = ANSI_CHARSET;
    desc.lfOutPrecision = OUT_STROKE_PRECIS;
    desc.lfClipPrecision = CLIP_STROKE_PRECIS;
    desc.lfQuality = DRAFT_QUALITY;
    desc.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(desc.lfFaceName, "Arial", sizeof desc.lfFaceName);
    return desc;
}

constexpr int kPlanetRadius = 5;
constexpr int kCircleRadii[] = {2000, 4000, 6000};
constexpr int kOverlayHalfWidth = 6000;

} // namespace

void CStarMap::Draw(CDC* pDC, BOOL showCircles, BOOL showTruceLine)
{
    const bool printing = pDC->IsPrinting();
    LOGFONT desc = MapFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(m_encoding);
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SelectStockObject(NULL_BRUSH);
    if (!printing)
        pDC->SetBkColor(RGB(0, 0, 0));

    std::int16_t planetCount = GetPlanetCount();
    for (std::int16_t i = 0; i < planetCount; ++i) {
        const CPlanet& planet = *m_planets[i];
        if (!printing) {
            CPen* pen;
            COLORREF color;
            GetFactionPen(planet.m_strFaction, pen, color);
            pDC->SelectObject(pen);
            pDC->SetTextColor(color);
        }
        pDC->Ellipse(planet.m_x - kPlanetRadius, planet.m_y - kPlanetRadius,
                     planet.m_x + kPlanetRadius, planet.m_y + kPlanetRadius);
        pDC->TextOut(planet.m_x - kPlanetRadius, planet.m_y + kPlanetRadius, planet.m_strName);
    }

    if (!printing) {
        pDC->SelectObject(&m_penYellow);
        pDC->SetTextColor(RGB(255, 255, 0));
    }
    std::int16_t lineCount = GetMeasureLineCount();
    for (std::int16_t i = 0; i < lineCount; ++i) {
        const CMeasureLine& line = *m_measureLines[i];
        pDC->MoveTo(line.m_x1, line.m_y1);
        pDC->LineTo(line.m_x2, line.m_y2);
        char label[48];
        int length = std::snprintf(label, sizeof label, "%ld Light Years", static_cast<long>(line.m_lightYears));
        // Half-differences in 64 bits: the ends may lie at opposite ends of
        // the 32-bit range.
        long long midX = line.m_x1 + (static_cast<long long>(line.m_x2) - line.m_x1) / 2;
        long long midY = line.m_y1 + (static_cast<long long>(line.m_y2) - line.m_y1) / 2;
        pDC->TextOut(static_cast<int>(midX), static_cast<int>(midY), label, length);
    }

    if (showCircles) {
        if (!printing)
            pDC->SelectObject(&m_penDarkGreen);
        for (int r : kCircleRadii)
            pDC->Ellipse(-r, -r, r, r);
        pDC->MoveTo(-kOverlayHalfWidth, 0);
        pDC->LineTo(kOverlayHalfWidth, 0);
        pDC->MoveTo(0, -kOverlayHalfWidth);
        pDC->LineTo(0, kOverlayHalfWidth);
    }

    if (showTruceLine) {
        if (!printing)
            pDC->SelectObject(&m_penPurple);
        int y = FindPlanet("Morvath").y;
        pDC->MoveTo(-kOverlayHalfWidth, y);
        pDC->LineTo(kOverlayHalfWidth, y);
    }

    pDC->SelectObject(oldFont);
    font.DeleteObject();
}
