// SPDX-License-Identifier: MIT
#include "DataFileCheck.h"

#include "CheckText.h"
#include "model/map/FactionTable.h"
#include "model/map/PlanetLine.h"
#include "model/map/TextModeReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

using Cause = CLoadDiagnostic::Cause;
constexpr std::size_t kNone = std::size_t(-1);

// Walks the pieces the loader would read, keeping what a finding needs
// from one piece to the next: the physical line a long line began on, the
// first line of every name, the planets past the limit.
class Checker {
public:
    Checker(CCheckReport& report, int viewReach) : m_report(report), m_viewReach(viewReach) {}
    void Piece(const char* piece, int length, int line);
    void End(CTextModeReader& reader, int line);

private:
    std::size_t Add(int line, CCheckKind kind, std::string message);
    std::size_t AddError(int line, CCheckKind kind, std::string message);
    void TrackLine(const char* piece, int length, int line);
    void EndLine();
    void BytesOf(const char* piece, int length, int line);
    void Planet(const CPlanet& planet, const CCoordinateTokens& coordinates, int line);
    void Coordinate(const char* axis, std::string_view token, int line);
    void Names(const std::string& name, int line);
    void InView(const CPlanet& planet, int line);
    std::string ErrorMessage(Cause cause, const CPlanet& planet, const CCoordinateTokens& coordinates);
    void Encoding(const char* piece, int length, int line, bool endsLine);
    void Insert(CCheckFinding finding);

    CCheckReport& m_report;
    const int m_viewReach;
    bool m_atLineStart = true;
    std::int64_t m_lineLength = 0;    // characters of the physical line so far
    std::size_t m_longLine = kNone;   // its finding, filled in when the line ends
    int m_nulLine = 0;                // last lines reported, so that each is named once
    int m_crLine = 0;
    std::int64_t m_beyond = 0;        // planets past the limit
    std::size_t m_tooMany = kNone;
    bool m_tooManyFirst = false;
    std::unordered_map<std::string, int> m_firstLine;
    bool m_readAny = false;
    CUtf8Check m_lineUtf8;            // the physical line's bytes so far
    int m_notUtf8Line = 0;            // the first line with a byte that is not UTF-8
    std::int64_t m_utf8Names = 0;     // names that need UTF-8 to read right
    std::string m_utf8Example;
    int m_utf8ExampleLine = 0;
    std::int64_t m_outOfView = 0;
    std::size_t m_outOfViewFinding = kNone;
};

// Map units as the file writes them: a tenth as many, "1862.5".
std::string FileUnits(int mapUnits)
{
    std::string text = std::to_string(mapUnits / 10);
    return mapUnits % 10 == 0 ? text : text + "." + std::to_string(std::abs(mapUnits % 10));
}

// Findings filled in later, or said once with a count, are never folded.
bool Foldable(const CCheckFinding& last, const CCheckFinding& next)
{
    return next.kind == last.kind && next.kind != CCheckKind::LongLine && next.kind != CCheckKind::TooManyPlanets &&
           next.kind != CCheckKind::OutOfView && next.message == last.message &&
           (next.line == last.lastLine || next.line - 1 == last.lastLine);
}

std::size_t Checker::Add(int line, CCheckKind kind, std::string message)
{
    CCheckFinding finding{line, kind, std::move(message)};
    finding.lastLine = line;
    ++(finding.Severity() == CCheckSeverity::Error ? m_report.errors : m_report.warnings);
    if (!m_report.findings.empty() && Foldable(m_report.findings.back(), finding)) {
        ++m_report.findings.back().times;
        m_report.findings.back().lastLine = line;
        return m_report.findings.size() - 1;
    }
    if (m_report.findings.size() >= CCheckReport::kMaxListed) {
        ++m_report.unlisted;
        return kNone;
    }
    m_report.findings.push_back(std::move(finding));
    return m_report.findings.size() - 1;
}

std::size_t Checker::AddError(int line, CCheckKind kind, std::string message)
{
    if (m_report.errors == 0) {
        m_report.planetsShown = std::min<std::int64_t>(m_report.planets, CStarMap::kMaxPlanets);
        message += kStopNote;
    }
    return Add(line, kind, std::move(message));
}

void Checker::TrackLine(const char* piece, int length, int line)
{
    bool endsLine = piece[length - 1] == '\n';
    if (m_atLineStart) {
        m_lineLength = 0;
        // A first piece that is full without a line end: the line goes on.
        m_longLine = length == CTextModeReader::kMaxPiece && !endsLine ? Add(line, CCheckKind::LongLine, "") : kNone;
    }
    m_lineLength += endsLine ? length - 1 : length;
    m_atLineStart = endsLine;
    Encoding(piece, length, line, endsLine);
    if (endsLine)
        EndLine();
}

// Every byte of the file, comments too, decides how the viewer reads the
// names; a sequence may be split between the pieces of one line.
void Checker::Encoding(const char* piece, int length, int line, bool endsLine)
{
    if (!m_readAny) {
        m_readAny = true;
        if (const char* utf16 = Utf16Kind(std::string_view(piece, std::size_t(length))))
            Add(line, CCheckKind::Utf16Text,
                std::string("the file is ") + utf16 + ": the viewer reads it byte by byte, so save it as UTF-8");
    }
    m_lineUtf8.Feed(std::string_view(piece, std::size_t(length)));
    if (!endsLine)
        return;
    // The viewer reads no further than its first error.
    if (!m_lineUtf8.Valid() && m_notUtf8Line == 0 && m_report.errors == 0)
        m_notUtf8Line = line;
    m_lineUtf8 = CUtf8Check();
}

void Checker::EndLine()
{
    if (m_longLine != kNone)
        m_report.findings[m_longLine].message = "line of " + std::to_string(m_lineLength) +
            " characters: the viewer reads it in pieces of 79, each as a line of its own";
    m_longLine = kNone;
}

void Checker::BytesOf(const char* piece, int length, int line)
{
    if (m_nulLine != line && std::memchr(piece, '\0', std::size_t(length)) != nullptr) {
        m_nulLine = line;
        Add(line, CCheckKind::NulByte, "NUL byte: the viewer ignores the rest of the line after it");
    }
    // The reader has made every CR LF one LF: a CR still here stands alone.
    if (m_crLine != line && std::memchr(piece, '\r', std::size_t(length)) != nullptr) {
        m_crLine = line;
        Add(line, CCheckKind::LoneCarriageReturn, "carriage return without a line feed: it does not end the line");
    }
}

void Checker::Piece(const char* piece, int length, int line)
{
    TrackLine(piece, length, line);
    BytesOf(piece, length, line);
    if (piece[0] == ';')
        return;
    std::size_t blanks = std::strspn(piece, " \t");
    if (blanks > 0 && piece[blanks] == ';')
        Add(line, CCheckKind::SemicolonAfterBlanks, "\";\" after leading blanks does not make a comment");
    CPlanet planet;
    CCoordinateTokens coordinates;
    Cause cause = ParsePlanetLine(piece, planet, &coordinates);
    if (cause == Cause::None) {
        Planet(planet, coordinates, line);
        return;
    }
    AddError(line, KindOf(cause), ErrorMessage(cause, planet, coordinates));
}

std::string Checker::ErrorMessage(Cause cause, const CPlanet& planet, const CCoordinateTokens& coordinates)
{
    std::string message = CLoadDiagnostic::Describe(cause);
    if (cause == Cause::NameWithoutCoordinates)
        message += ": " + Quoted(planet.m_strName);
    if (cause == Cause::CoordinateOutOfRange)
        message += ": " + Quoted(coordinates.y.empty() ? coordinates.x : coordinates.y);
    if (cause == Cause::NoFactionCode)
        message += MissingYHint(coordinates.y);
    return message;
}

void Checker::Planet(const CPlanet& planet, const CCoordinateTokens& coordinates, int line)
{
    if (++m_report.planets > CStarMap::kMaxPlanets && ++m_beyond == 1) {
        m_tooManyFirst = m_report.errors == 0;
        m_tooMany = AddError(line, CCheckKind::TooManyPlanets, "");
    }
    Coordinate("x", coordinates.x, line);
    Coordinate("y", coordinates.y, line);
    const std::string& code = planet.m_strFaction;
    if (!IsKnownCode(code)) {
        // The token after the code: where the code itself is, on a line
        // that lost its place.
        const char* afterY = coordinates.y.data() + coordinates.y.size();
        std::string_view codeToken = FirstToken(afterY);
        std::string hint = ShiftedLineHint(coordinates.x, code, FirstToken(codeToken.data() + codeToken.size()));
        Add(line, CCheckKind::UnknownFaction,
            "unknown faction code " + Quoted(code) + ", drawn white" + (hint.empty() ? FactionHint(code) : hint));
    }
    Names(planet.m_strName, line);
    InView(planet, line);
}

void Checker::InView(const CPlanet& planet, int line)
{
    auto beyond = [this](std::int32_t v) { return std::int64_t(v) > m_viewReach || -std::int64_t(v) > m_viewReach; };
    if (m_viewReach <= 0 || (!beyond(planet.m_x) && !beyond(planet.m_y)))
        return;
    if (++m_outOfView == 1)
        m_outOfViewFinding = Add(line, CCheckKind::OutOfView, Quoted(planet.m_strName));
}

void Checker::Coordinate(const char* axis, std::string_view token, int line)
{
    long long value = 0;
    int used = 0;
    ParseCoordinate(token.data(), int(token.size()), value, &used);
    if (used != int(token.size()))
        Add(line, CCheckKind::TruncatedCoordinate,
            std::string(axis) + " coordinate " + Quoted(token) + " is read as " + std::to_string(value));
}

void Checker::Names(const std::string& name, int line)
{
    if (!IsPlainName(name))
        Add(line, CCheckKind::UnreadableName, "name " + Quoted(name) + " is neither UTF-8 nor Windows-1252 text");
    CUtf8Check utf8;
    utf8.Feed(name);
    const bool multiByte = std::any_of(name.begin(), name.end(), [](char c) { return c & 0x80; });
    if (utf8.Valid() && multiByte && m_report.errors == 0 && ++m_utf8Names == 1) {
        m_utf8Example = name;
        m_utf8ExampleLine = line;
    }
    if (char32_t c1 = utf8.Valid() ? C1ControlIn(name) : 0) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", unsigned(c1));
        Add(line, CCheckKind::C1Control, "name " + Quoted(name) + " holds the control character " + code +
            ", which the window does not draw as a letter");
    }
    // Only planets the viewer can hold can be found, and the table stays
    // bounded on a file of any size.
    if (name.empty() || m_report.planets > CStarMap::kMaxPlanets)
        return;
    auto [first, isNew] = m_firstLine.try_emplace(name, line);
    if (!isNew)
        Add(line, CCheckKind::DuplicateName, "name " + Quoted(name) + " was given before, on line " +
            std::to_string(first->second) + ": Center On finds that one");
}

void Checker::End(CTextModeReader& reader, int line)
{
    EndLine();  // the last line may have no line end
    if (!m_lineUtf8.Valid() && m_notUtf8Line == 0 && m_report.errors == 0)
        m_notUtf8Line = line;
    if (reader.StoppedBeforeEnd())
        Add(line, CCheckKind::CtrlZBeforeEnd, "Ctrl+Z ends the file here: the viewer reads nothing after it");
    if (m_tooMany != kNone)
        m_report.findings[m_tooMany].message = "too many planets: " + std::to_string(m_beyond) +
            " planet lines beyond the " + std::to_string(CStarMap::kMaxPlanets) + "th" +
            (m_tooManyFirst ? kStopNote : "");
    if (m_outOfViewFinding != kNone)
        m_report.findings[m_outOfViewFinding].message = "planet " + m_report.findings[m_outOfViewFinding].message +
            " lies past what the window's scroll bars reach (" + FileUnits(m_viewReach) +
            " file units from the origin on either axis at the full extent): only Center On brings it into view; " +
            std::to_string(m_outOfView) + (m_outOfView == 1 ? " planet lies" : " planets lie") + " out there";
    if (m_report.errors == 0)
        m_report.planetsShown = m_report.planets;
    if (m_notUtf8Line != 0 && m_utf8Names > 0) {
        CCheckFinding finding{m_notUtf8Line, CCheckKind::MixedEncoding,
            "a byte on this line is not UTF-8, so the viewer reads the whole file as Windows-1252: the " +
            std::to_string(m_utf8Names) + (m_utf8Names == 1 ? " name" : " names") +
            " written in UTF-8, such as " + Quoted(m_utf8Example) + " on line " + std::to_string(m_utf8ExampleLine) +
            ", show as " + Quoted(ToUtf8(m_utf8Example, CTextEncoding::Windows1252)) +
            "; remove or re-save that byte as UTF-8"};
        finding.lastLine = finding.line;
        Insert(std::move(finding));
    }
}

// A finding known only at the end, among the others by its line.
void Checker::Insert(CCheckFinding finding)
{
    ++m_report.warnings;
    auto at = std::upper_bound(m_report.findings.begin(), m_report.findings.end(), finding.line,
                               [](int line, const CCheckFinding& f) { return line < f.line; });
    m_report.findings.insert(at, std::move(finding));
}

} // namespace

CCheckReport CheckDataFile(const char* path, int viewReach)
{
    CCheckReport report;
    // The reader's buffer is large; keep it off the stack.
    auto reader = std::make_unique<CTextModeReader>();
    const int reason = path == nullptr ? ENOENT : reader->Open(path);
    if (reason != 0) {
        report.reason = CTextModeReader::Describe(reason);
        return report;
    }
    report.opened = true;
    Checker checker(report, viewReach);
    char piece[CTextModeReader::kMaxPiece + 1];
    int line = 0, length = 0;
    while ((length = reader->ReadPiece(piece, line)) > 0)
        checker.Piece(piece, length, line);
    checker.End(*reader, line);
    return report;
}
