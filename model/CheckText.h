#pragma once

// The words of the data-file check: how its messages name a file's text,
// and what each finding says. Kept apart from the reading so that the
// checker's walk through the file stays short.

#include "DataFileCheck.h"
#include "StarMap.h"

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

// What the first error adds: the viewer's load ends there.
extern const char* const kStopNote;
