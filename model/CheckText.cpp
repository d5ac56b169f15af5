#include "CheckText.h"

#include "FactionTable.h"

#include "platform/surface/TextEncoding.h"
#include "platform/surface/TextEscape.h"

#include <algorithm>
#include <iterator>

const char* const kStopNote = " (the viewer stops reading here: the lines below are not shown)";

std::string Quoted(std::string_view bytes)
{
    CUtf8Check check;
    check.Feed(bytes);
    std::string text = check.Valid() ? std::string(bytes) : ToUtf8(bytes, CTextEncoding::Windows1252);
    return "\"" + EscapeShown(text) + "\"";
}

bool IsPlainName(std::string_view name)
{
    auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    if (std::any_of(name.begin(), name.end(), control))
        return false;
    CUtf8Check check;
    check.Feed(name);
    // U+0080 to U+009F, the second set of control characters, as UTF-8.
    auto controls = [name] {
        for (std::size_t i = 0; i + 1 < name.size(); ++i)
            if (name[i] == '\xC2' && static_cast<unsigned char>(name[i + 1]) <= 0x9F)
                return true;
        return false;
    };
    if (check.Valid() && !controls())
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
        "nul-byte", "lone-cr", "unreadable-name",
    };
    static_assert(std::size(kNames) == static_cast<std::size_t>(CCheckKind::UnreadableName) + 1);
    return kNames[static_cast<int>(kind)];
}
