// SPDX-License-Identifier: MIT
#pragma once

// The map model: the faction pens, the planets of one data file and the
// user's measure lines, and the one routine that draws them all.

#include "FactionTable.h"
#include "MeasureLine.h"
#include "Planet.h"
#include "PlanetList.h"

#include "platform/surface/DC.h"
#include "platform/surface/Pen.h"
#include "platform/surface/TextEncoding.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CTextModeReader;

// Why a load stopped early, for messages that name the place.
struct CLoadDiagnostic {
    enum class Cause {
        None, CannotOpen, BlankLine, NameWithoutCoordinates, NoYCoordinate, NoFactionCode,
        CoordinateOutOfRange, TooManyPlanets
    };
    Cause cause = Cause::None;
    int line = 0;  // physical line of the file, from 1; 0 when none was read
    // CannotOpen: why, in the system's words ("No such file or directory").
    std::string reason;
    static const char* Describe(Cause cause);
};

class CStarMap {
public:
    // Both lists are indexed with 16-bit signed integers.
    static constexpr int kMaxPlanets = 32767;
    static constexpr int kMaxMeasureLines = 32767;
    // A planet's circle: this radius in map units around its position.
    static constexpr int kPlanetRadius = 5;

    CStarMap();
    ~CStarMap();
    CStarMap(const CStarMap&) = delete;
    CStarMap& operator=(const CStarMap&) = delete;

    // The pen for a faction code and its colour; white for an unknown code.
    void GetFactionPen(std::string code, CPen*& pen, COLORREF& color);

    // Appends one planet per planet line of the file. FALSE when the file
    // cannot be opened or a line is malformed; the planets before it stay.
    // A planet line beyond the 32767th also ends the load with FALSE.
    BOOL LoadDataFile(const char* path, CLoadDiagnostic* diagnostic = nullptr);
    // Position of the first planet named exactly name, or (0, 0).
    CPoint FindPlanet(std::string name) const;
    // Index of that planet, or -1.
    std::int16_t FindPlanetIndex(const std::string& name) const;
    // How the names' bytes read as characters, decided by the load: UTF-8
    // when every byte above 0x7F that it read forms well-formed UTF-8,
    // else Windows-1252. Names are drawn and looked up in it.
    CTextEncoding GetTextEncoding() const { return m_encoding; }

    // Appends a line (map units); beyond 32767 lines it is ignored.
    void AddMeasureLine(int x1, int y1, int x2, int y2, int lightYears);
    void RemoveLastMeasureLine();

    // Draws planets, measure lines and the chosen overlays in map units on
    // a surface whose mapping the caller has set. On a printing surface no
    // pen or colour is chosen, so everything comes out in its defaults.
    void Draw(CDC* pDC, BOOL showCircles, BOOL showTruceLine);
    // The font Draw writes names and labels in: Arial, 11 map units high.
    static LOGFONT MapFontDescription();

    std::int16_t GetPlanetCount() const { return static_cast<std::int16_t>(m_planets.size()); }
    bool HasPlanets() const { return GetPlanetCount() > 0; }
    const CPlanet& GetPlanet(std::int16_t index) const { return m_planets[std::size_t(index)]; }
    std::int16_t GetMeasureLineCount() const { return static_cast<std::int16_t>(m_measureLines.size()); }
    const CMeasureLine& GetMeasureLine(std::int16_t index) const { return *m_measureLines[index]; }
    CPen& GetPen(FactionPen index) { return *m_pens[index]; }

private:
    BOOL ReadPlanets(CTextModeReader& reader, CUtf8Check& utf8, CLoadDiagnostic* diagnostic);
    // The steps of Draw, in its order. On a printing surface they choose no
    // pen or colour.
    void DrawPlanets(CDC& dc, bool printing);
    void DrawMeasureLines(CDC& dc, bool printing);
    void DrawCircles(CDC& dc, bool printing);
    void DrawTruceLine(CDC& dc, bool printing);

    CPen m_penWhite, m_penBlack, m_penOrange, m_penRed, m_penMagenta, m_penGreen, m_penMidGreen,
        m_penCyan, m_penTeal, m_penOchre, m_penBlue, m_penDarkBlue, m_penViolet, m_penLightGrey,
        m_penGrey, m_penYellow, m_penRose, m_penAmber, m_penDarkGreen, m_penPurple;
    CPlanetList m_planets;
    std::vector<std::unique_ptr<CMeasureLine>> m_measureLines;
    CPen* m_pens[kPenCount];
    CTextEncoding m_encoding = CTextEncoding::Utf8;
};
