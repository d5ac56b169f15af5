// SPDX-License-Identifier: MIT
#include "StarMap.h"

CStarMap::CStarMap()
    : m_pens{&m_penWhite, &m_penBlack, &m_penOrange, &m_penRed, &m_penMagenta, &m_penGreen,
             &m_penMidGreen, &m_penCyan, &m_penTeal, &m_penOchre, &m_penBlue, &m_penDarkBlue,
             &m_penViolet, &m_penLightGrey, &m_penGrey, &m_penYellow, &m_penRose, &m_penAmber,
             &m_penDarkGreen, &m_penPurple}
{
    for (int i = 0; i < kPenCount; ++i)
        m_pens[i]->CreatePen(PS_SOLID, 0, kPenColors[i]);
}

CStarMap::~CStarMap()
{
    m_planets.clear();
    m_measureLines.clear();
    for (int i = kPenCount - 1; i >= 0; --i)
        m_pens[i]->DeleteObject();
}

void CStarMap::GetFactionPen(std::string code, CPen*& pen, COLORREF& color)
{
    FactionPen index = LookUpFactionPen(code.c_str());
    pen = m_pens[index];
    color = kPenColors[index];
}

CPoint CStarMap::FindPlanet(std::string name) const
{
    std::int16_t i = FindPlanetIndex(name);
    return i < 0 ? CPoint(0, 0) : CPoint(m_planets[std::size_t(i)].m_x, m_planets[std::size_t(i)].m_y);
}

std::int16_t CStarMap::FindPlanetIndex(const std::string& name) const
{
    std::int16_t count = GetPlanetCount();
    for (std::int16_t i = 0; i < count; ++i) {
        if (m_planets[std::size_t(i)].m_strName == name)
            return i;
    }
    return -1;
}

void CStarMap::AddMeasureLine(int x1, int y1, int x2, int y2, int lightYears)
{
    // The list is indexed with 16 bits; a line past the limit is dropped
    // rather than wrapping the count negative and hiding every line.
    if (m_measureLines.size() >= static_cast<size_t>(kMaxMeasureLines))
        return;
    m_measureLines.push_back(std::make_unique<CMeasureLine>(CMeasureLine{x1, y1, x2, y2, lightYears}));
}

void CStarMap::RemoveLastMeasureLine()
{
    if (!m_measureLines.empty())
        m_measureLines.pop_back();
}

const char* CLoadDiagnostic::Describe(Cause cause)
{
    switch (cause) {
    case Cause::None: return "no error";
    case Cause::CannotOpen: return "cannot open file";
    case Cause::BlankLine: return "blank line";
    case Cause::NameWithoutCoordinates: return "name without coordinates";
    case Cause::NoYCoordinate: return "no y coordinate";
    case Cause::NoFactionCode: return "no faction code";
    case Cause::CoordinateOutOfRange: return "coordinate out of range";
    case Cause::TooManyPlanets: return "too many planets";
    }
    return "unknown";
}
