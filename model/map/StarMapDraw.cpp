// SPDX-License-Identifier: MIT
#include "StarMap.h"

#include "LightYears.h"

#include <cstdio>
#include <cstring>

// The map font: 11 logical units high, so names scale with the map.
LOGFONT CStarMap::MapFontDescription()
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

namespace {

// The light-year circles around the origin: 100, 200 and 300 light years.
constexpr int kCircleRadii[] = {100 * kMapUnitsPerLightYear, 200 * kMapUnitsPerLightYear,
                                300 * kMapUnitsPerLightYear};
// The axes and the truce line span the width of the outermost circle.
constexpr int kOverlayHalfWidth = kCircleRadii[2];

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
    DrawPlanets(*pDC, printing);
    DrawMeasureLines(*pDC, printing);
    if (showCircles)
        DrawCircles(*pDC, printing);
    if (showTruceLine)
        DrawTruceLine(*pDC, printing);
    pDC->SelectObject(oldFont);
    font.DeleteObject();
}

void CStarMap::DrawPlanets(CDC& dc, bool printing)
{
    std::int16_t planetCount = GetPlanetCount();
    for (std::int16_t i = 0; i < planetCount; ++i) {
        const CPlanet& planet = m_planets[std::size_t(i)];
        if (!printing) {
            CPen* pen;
            COLORREF color;
            GetFactionPen(planet.m_strFaction, pen, color);
            dc.SelectObject(pen);
            dc.SetTextColor(color);
        }
        dc.Ellipse(planet.m_x - kPlanetRadius, planet.m_y - kPlanetRadius, planet.m_x + kPlanetRadius,
                   planet.m_y + kPlanetRadius);
        dc.TextOut(planet.m_x - kPlanetRadius, planet.m_y + kPlanetRadius, planet.m_strName);
    }
}

void CStarMap::DrawMeasureLines(CDC& dc, bool printing)
{
    if (!printing) {
        dc.SelectObject(&m_penYellow);
        dc.SetTextColor(RGB(255, 255, 0));
    }
    std::int16_t lineCount = GetMeasureLineCount();
    for (std::int16_t i = 0; i < lineCount; ++i) {
        const CMeasureLine& line = *m_measureLines[i];
        dc.MoveTo(line.m_x1, line.m_y1);
        dc.LineTo(line.m_x2, line.m_y2);
        char label[48];
        int length = std::snprintf(label, sizeof label, "%ld Light Years", static_cast<long>(line.m_lightYears));
        // Half-differences in 64 bits: the ends may lie at opposite ends of
        // the 32-bit range.
        long long midX = line.m_x1 + (static_cast<long long>(line.m_x2) - line.m_x1) / 2;
        long long midY = line.m_y1 + (static_cast<long long>(line.m_y2) - line.m_y1) / 2;
        dc.TextOut(static_cast<int>(midX), static_cast<int>(midY), label, length);
    }
}

void CStarMap::DrawCircles(CDC& dc, bool printing)
{
    if (!printing)
        dc.SelectObject(&m_penDarkGreen);
    for (int r : kCircleRadii)
        dc.Ellipse(-r, -r, r, r);
    dc.MoveTo(-kOverlayHalfWidth, 0);
    dc.LineTo(kOverlayHalfWidth, 0);
    dc.MoveTo(0, -kOverlayHalfWidth);
    dc.LineTo(0, kOverlayHalfWidth);
}

void CStarMap::DrawTruceLine(CDC& dc, bool printing)
{
    if (!printing)
        dc.SelectObject(&m_penPurple);
    int y = FindPlanet("Morvath").y;
    dc.MoveTo(-kOverlayHalfWidth, y);
    dc.LineTo(kOverlayHalfWidth, y);
}
