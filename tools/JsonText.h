#pragma once

// JSON strings from bytes that may be anything. JSON text must be UTF-8,
// so bytes that are not well-formed UTF-8 are read as Windows-1252 (the
// map's other encoding) and written as the characters they stand for;
// quotes, backslashes, control characters and DEL are escaped.

#include <string>
#include <string_view>

// text as a quoted JSON string.
std::string JsonString(std::string_view text);
