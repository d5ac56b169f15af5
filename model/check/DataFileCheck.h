// SPDX-License-Identifier: MIT
#pragma once

// A complete check of a planet data file. It reads the file with the
// loader's own reader and line parser, so every piece means exactly what it
// means to the viewer, but where the loader stops at a malformed line the
// check reports it and goes on as if the line were skipped. Errors are the
// causes the loader stops at; warnings are lines that load but probably do
// not say what their author meant. The loader itself is not changed by any
// of this: CStarMap::LoadDataFile gives the same result on every file.

#include <cstdint>
#include <string>
#include <vector>

enum class CCheckKind {
    // Errors: the viewer stops reading at the first of them.
    BlankLine,
    NameWithoutCoordinates,
    NoYCoordinate,
    NoFactionCode,
    CoordinateOutOfRange,
    TooManyPlanets,  // reported once, at the first planet beyond the limit
    // Warnings.
    UnknownFaction,        // not in the table and not "S"
    LongLine,              // 79 characters or more: read in pieces
    SemicolonAfterBlanks,  // no comment
    TruncatedCoordinate,   // "12.7" read as 12, "7km" as 7, "-" as 0
    DuplicateName,         // Center On finds the first
    CtrlZBeforeEnd,        // nothing after it is read
    NulByte,               // the rest of the line's piece is ignored
    LoneCarriageReturn,    // ends no line
    UnreadableName,        // neither UTF-8 nor plain Windows-1252 text
    Utf16Text,             // a byte order mark or every other byte NUL
    MixedEncoding,         // a byte that is not UTF-8 turns UTF-8 names into Windows-1252
    C1Control,             // U+0080 to U+009F in a name
    OutOfView,             // past the scroll bars' reach; once, with the count
};

enum class CCheckSeverity { Error, Warning };

struct CCheckFinding {
    int line = 0;  // physical line of the file, from 1
    CCheckKind kind = CCheckKind::BlankLine;
    // What is wrong, naming the text concerned: UTF-8 without control
    // characters (those are written as escapes), ready for any output.
    std::string message;
    // The same finding again on the same line or the lines straight after
    // is folded into this one: how many times it was found in all, and
    // the line of the last.
    std::int64_t times = 1;
    int lastLine = 0;

    CCheckSeverity Severity() const;
};

struct CCheckReport {
    bool opened = false;  // false: not a readable regular file; only reason is set
    std::string reason;   // why it could not be opened, in the system's words
    std::vector<CCheckFinding> findings;  // in the order of the file's lines
    // Counted in 64 bits: a file of many gigabytes has billions of pieces.
    std::int64_t planets = 0;       // well-formed planet lines, also those past an error or the limit
    std::int64_t planetsShown = 0;  // the planets the viewer loads: those before the first error
    std::int64_t errors = 0;        // every finding, a folded one as often as it was found
    std::int64_t warnings = 0;
    // Findings counted but not listed: a file of millions of bad lines
    // still gives a report of bounded size.
    std::int64_t unlisted = 0;
    static constexpr std::size_t kMaxListed = 100000;
};

// viewReach: map units from the origin, on either axis, that the window's
// scroll bars reach (CMapViewport::ScrollReach); planets beyond are
// reported. 0 leaves that out.
CCheckReport CheckDataFile(const char* path, int viewReach = 0);

// A short fixed name for a kind, for machine-readable output: "blank-line".
const char* CheckKindName(CCheckKind kind);
