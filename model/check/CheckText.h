// SPDX-License-Identifier: MIT
#pragma once

// The words of the data-file check: how its messages name a file's text,
// and what each finding says. Kept apart from the reading so that the
// checker's walk through the file stays short.

#include "model/check/DataFileCheck.h"
#include "model/map/StarMap.h"

#include <string>
#include <string_view>

// Bytes from the file in double quotes, as UTF-8: a name that is not
// well-formed UTF-8 is read as Windows-1252, and control characters become
// escapes, so the text can go to a terminal or into JSON as it is.
std::string Quoted(std::string_view bytes);

// True when a name reads as text: well-formed UTF-8, or bytes that all
// stand for characters in Windows-1252, and no control characters.
bool IsPlainName(std::string_view name);

CCheckKind KindOf(CLoadDiagnostic::Cause cause);

// The table code that code spells in another case, or nothing.
const char* CodeInOtherCase(const std::string& code);

// Whether code is one the viewer knows: a table code or the legend's "S".
bool IsKnownCode(std::string_view code);

// What the author of an unknown faction code probably meant, as the end of
// its message (": did you mean ...?"), or empty: the code in another case,
// a legend name typed for its code ("Ulmarch"), or a code one letter off
// ("VJ", "KRO": one letter changed, added, left out or swapped).
std::string FactionHint(const std::string& code);

// A line whose code is a number with a known code after it: a name word
// that begins with a digit (x) ended the name, so everything is read one
// place early. next is the token after the code.
std::string ShiftedLineHint(std::string_view x, std::string_view code, std::string_view next);

// A line without a code whose y token is a code: y was left out.
std::string MissingYHint(std::string_view y);

// The first token of text (up to its first NUL) after skipping blanks.
std::string_view FirstToken(const char* text);

// The character U+0080 to U+009F that a UTF-8 name holds, or 0.
char32_t C1ControlIn(std::string_view name);

// Whether bytes, the start of a file, look like UTF-16: a byte order mark,
// or a NUL in every other byte.
const char* Utf16Kind(std::string_view bytes);

// What the first error adds: the viewer's load ends there.
extern const char* const kStopNote;
