#include "StarMap.h"

#include "PlanetLine.h"
#include "TextModeReader.h"

namespace {

using Cause = CLoadDiagnostic::Cause;

BOOL Fail(CLoadDiagnostic* diagnostic, Cause cause, int line)
{
    if (diagnostic != nullptr) {
        diagnostic->cause = cause;
        diagnostic->line = line;
    }
    return FALSE;
}

} // namespace

BOOL CStarMap::LoadDataFile(const char* path, CLoadDiagnostic* diagnostic)
{
    if (diagnostic != nullptr)
        *diagnostic = CLoadDiagnostic();
    // The reader's buffer is large; keep it off the stack.
    auto reader = std::make_unique<CTextModeReader>();
    if (path == nullptr || !reader->Open(path))
        return Fail(diagnostic, Cause::CannotOpen, 0);
    char piece[CTextModeReader::kMaxPiece + 1];
    int line = 0;
    while (reader->ReadPiece(piece, line) > 0) {
        if (piece[0] == ';')
            continue;
        auto planet = std::make_unique<CPlanet>();
        Cause cause = ParsePlanetLine(piece, *planet);
        if (cause != Cause::None)
            return Fail(diagnostic, cause, line);
        if (m_planets.size() >= static_cast<size_t>(kMaxPlanets))
            return Fail(diagnostic, Cause::TooManyPlanets, line);
        m_planets.push_back(std::move(planet));
    }
    return TRUE;
}
