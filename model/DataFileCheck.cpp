#include "DataFileCheck.h"

#include "CheckText.h"
#include "FactionTable.h"
#include "PlanetLine.h"
#include "TextModeReader.h"

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
    explicit Checker(CCheckReport& report) : m_report(report) {}
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

    CCheckReport& m_report;
    bool m_atLineStart = true;
    int m_lineLength = 0;             // characters of the physical line so far
    std::size_t m_longLine = kNone;   // its finding, filled in when the line ends
    int m_nulLine = 0;                // last lines reported, so that each is named once
    int m_crLine = 0;
    int m_beyond = 0;                 // planets past the limit
    std::size_t m_tooMany = kNone;
    bool m_tooManyFirst = false;
    std::unordered_map<std::string, int> m_firstLine;
};

std::size_t Checker::Add(int line, CCheckKind kind, std::string message)
{
    CCheckFinding finding{line, kind, std::move(message)};
    ++(finding.Severity() == CCheckSeverity::Error ? m_report.errors : m_report.warnings);
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
        m_report.planetsShown = std::min(m_report.planets, int(CStarMap::kMaxPlanets));
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
    if (endsLine)
        EndLine();
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
    std::string message = CLoadDiagnostic::Describe(cause);
    if (cause == Cause::NameWithoutCoordinates)
        message += ": " + Quoted(planet.m_strName);
    if (cause == Cause::CoordinateOutOfRange)
        message += ": " + Quoted(coordinates.y.empty() ? coordinates.x : coordinates.y);
    AddError(line, KindOf(cause), std::move(message));
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
    if (code != "S" && LookUpFactionPen(code.c_str()) == kPenWhite) {
        std::string message = "unknown faction code " + Quoted(code) + ", drawn white";
        if (const char* meant = CodeInOtherCase(code))
            message += std::string(": did you mean \"") + meant + "\"?";
        Add(line, CCheckKind::UnknownFaction, std::move(message));
    }
    Names(planet.m_strName, line);
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
    if (reader.StoppedBeforeEnd())
        Add(line, CCheckKind::CtrlZBeforeEnd, "Ctrl+Z ends the file here: the viewer reads nothing after it");
    if (m_tooMany != kNone)
        m_report.findings[m_tooMany].message = "too many planets: " + std::to_string(m_beyond) +
            " planet lines beyond the " + std::to_string(CStarMap::kMaxPlanets) + "th" +
            (m_tooManyFirst ? kStopNote : "");
    if (m_report.errors == 0)
        m_report.planetsShown = m_report.planets;
}

} // namespace

CCheckReport CheckDataFile(const char* path)
{
    CCheckReport report;
    // The reader's buffer is large; keep it off the stack.
    auto reader = std::make_unique<CTextModeReader>();
    if (path == nullptr || !reader->Open(path))
        return report;
    report.opened = true;
    Checker checker(report);
    char piece[CTextModeReader::kMaxPiece + 1];
    int line = 0, length = 0;
    while ((length = reader->ReadPiece(piece, line)) > 0)
        checker.Piece(piece, length, line);
    checker.End(*reader, line);
    return report;
}
