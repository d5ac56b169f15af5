// SPDX-License-Identifier: MIT
#include "CheckText.h"

#include "model/map/FactionTable.h"

#include "platform/surface/TextEncoding.h"
#include "platform/surface/TextEscape.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

const char* const kStopNote = " (the viewer stops reading here: the lines below are not shown)";

std::string Quoted(std::string_view bytes)
{
    CUtf8Check check;
    check.Feed(bytes);
    std::string text = EscapeShown(check.Valid() ? std::string(bytes) : ToUtf8(bytes, CTextEncoding::Windows1252));
    // The second set of control characters, too, can drive a terminal.
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\xC2' && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(text[++i]));
            shown += escape;
        } else {
            shown += text[i];
        }
    }
    return "\"" + shown + "\"";
}

bool IsPlainName(std::string_view name)
{
    auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    if (std::any_of(name.begin(), name.end(), control))
        return false;
    CUtf8Check check;
    check.Feed(name);
    if (check.Valid() && C1ControlIn(name) == 0)
        return true;
    // Windows-1252 leaves five bytes without a character.
    return ToUtf8(name, CTextEncoding::Windows1252).find("\xEF\xBF\xBD") == std::string::npos;
}

CCheckKind KindOf(CLoadDiagnostic::Cause cause)
{
    using Cause = CLoadDiagnostic::Cause;
    switch (cause) {
    case Cause::NameWithoutCoordinates: return CCheckKind::NameWithoutCoordinates;
    case Cause::NoYCoordinate: return CCheckKind::NoYCoordinate;
    case Cause::NoFactionCode: return CCheckKind::NoFactionCode;
    case Cause::CoordinateOutOfRange: return CCheckKind::CoordinateOutOfRange;
    case Cause::TooManyPlanets: return CCheckKind::TooManyPlanets;
    default: return CCheckKind::BlankLine;
    }
}

const char* CodeInOtherCase(const std::string& code)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (const FactionCode& entry : kFactionCodes) {
        std::string_view table(entry.code);
        if (table.size() == code.size() &&
            std::equal(table.begin(), table.end(), code.begin(), [&](char a, char b) { return lower(a) == lower(b); }))
            return entry.code;
    }
    return nullptr;
}

bool IsKnownCode(std::string_view code)
{
    return code == "S" || LookUpFactionPen(std::string(code).c_str()) != kPenWhite;
}

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Edits between a and b, letter case ignored, counting a swap of two
// neighbours as one; only whether it is 0, 1 or more matters.
int Edits(std::string_view a, std::string_view b)
{
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = int(i + j);
                continue;
            }
            int cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && Edits(a, b) == 0;
}

std::string Quote(std::string_view code)
{
    return "\"" + std::string(code) + "\"";
}

} // namespace

std::string FactionHint(const std::string& code)
{
    if (const char* meant = CodeInOtherCase(code))
        return ": did you mean " + Quote(meant) + "?";
    for (const LegendRow& row : kLegendRows) {
        std::string_view text(row.text);
        if (SameWord(code, text) || SameWord(code, text.substr(0, text.find(' '))))
            return ": did you mean " + Quote(row.code) + "? " + row.text + " is the legend's name for that code";
    }
    // A single letter is one edit from every other: no guess there.
    std::string near;
    for (const FactionCode& entry : kFactionCodes)
        if (code.size() > 1 && std::strlen(entry.code) > 1 && Edits(code, entry.code) == 1)
            near += (near.empty() ? "" : " or ") + Quote(entry.code);
    return near.empty() ? std::string() : ": did you mean " + near + "?";
}

std::string ShiftedLineHint(std::string_view x, std::string_view code, std::string_view next)
{
    bool number = !code.empty() && ((code[0] >= '0' && code[0] <= '9') || code[0] == '-');
    if (!number || !IsKnownCode(next))
        return std::string();
    return ": the code " + Quoted(next) + " follows it: is " + Quoted(x) +
           " part of the name? A word that begins with a digit ends the name, so x, y and the code are read "
           "one place early";
}

std::string MissingYHint(std::string_view y)
{
    if (!IsKnownCode(y) && FactionHint(std::string(y)).empty())
        return std::string();
    return ": " + Quoted(y) + " was read as the y coordinate: is y missing?";
}

std::string_view FirstToken(const char* text)
{
    const char* start = text + std::strspn(text, " \t\r\n");
    return std::string_view(start, std::strcspn(start, " \t\r\n"));
}

char32_t C1ControlIn(std::string_view name)
{
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        if (name[i] == '\xC2' && static_cast<unsigned char>(name[i + 1]) <= 0x9F)
            return static_cast<unsigned char>(name[i + 1]);
    return 0;
}

const char* Utf16Kind(std::string_view bytes)
{
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return "UTF-16 text (little-endian, with a byte order mark)";
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return "UTF-16 text (big-endian, with a byte order mark)";
    if (bytes.size() < 4)
        return nullptr;
    auto nulAt = [bytes](std::size_t first) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            if (bytes[i + first] != '\0' || bytes[i + 1 - first] == '\0')
                return false;
        return true;
    };
    return nulAt(1) ? "UTF-16 text (little-endian)" : nulAt(0) ? "UTF-16 text (big-endian)" : nullptr;
}

CCheckSeverity CCheckFinding::Severity() const
{
    return kind <= CCheckKind::TooManyPlanets ? CCheckSeverity::Error : CCheckSeverity::Warning;
}

const char* CheckKindName(CCheckKind kind)
{
    static constexpr const char* kNames[] = {
        "blank-line", "name-without-coordinates", "no-y-coordinate", "no-faction-code",
        "coordinate-out-of-range", "too-many-planets", "unknown-faction", "long-line",
        "semicolon-after-blanks", "truncated-coordinate", "duplicate-name", "ctrl-z-before-end",
        "nul-byte", "lone-cr", "unreadable-name", "utf-16-text", "mixed-encoding", "c1-control",
        "out-of-view",
    };
    static_assert(std::size(kNames) == static_cast<std::size_t>(CCheckKind::OutOfView) + 1);
    return kNames[static_cast<int>(kind)];
}
