// SPDX-License-Identifier: MIT
#include "StarMap.h"

#include "PlanetLine.h"
#include "TextModeReader.h"

#include <cerrno>

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
    int reason = path == nullptr ? ENOENT : reader->Open(path);
    if (reason != 0) {
        if (diagnostic != nullptr)
            diagnostic->reason = CTextModeReader::Describe(reason);
        return Fail(diagnostic, Cause::CannotOpen, 0);
    }
    // Every byte read, comments included, decides how the names read; a
    // sequence split between two pieces is still one character.
    CUtf8Check utf8;
    BOOL whole = ReadPlanets(*reader, utf8, diagnostic);
    m_encoding = EncodingOf(utf8);
    return whole;
}

BOOL CStarMap::ReadPlanets(CTextModeReader& reader, CUtf8Check& utf8, CLoadDiagnostic* diagnostic)
{
    char piece[CTextModeReader::kMaxPiece + 1];
    int line = 0, length = 0;
    while ((length = reader.ReadPiece(piece, line)) > 0) {
        utf8.Feed(std::string_view(piece, std::size_t(length)));
        if (piece[0] == ';')
            continue;
        // Read in place: a planet line is far more common than a bad one.
        Cause cause = ParsePlanetLine(piece, m_planets.AppendEmpty());
        if (cause == Cause::None && m_planets.size() > static_cast<size_t>(kMaxPlanets))
            cause = Cause::TooManyPlanets;
        if (cause != Cause::None) {
            m_planets.pop_back();
            return Fail(diagnostic, cause, line);
        }
    }
    return TRUE;
}
