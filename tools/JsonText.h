// SPDX-License-Identifier: MIT
#pragma once

// JSON strings from bytes that may be anything, such as a file name. JSON
// text must be UTF-8, so a byte that is not part of well-formed UTF-8 is
// written as the escape \udcHH of a lone low surrogate, HH the byte (as a
// file system layer that keeps undecodable bytes does), and a reader can
// have the exact bytes back; quotes, backslashes, control characters and
// DEL are escaped. Text in another encoding, such as a Windows-1252 map's
// names, is to be converted to UTF-8 before it comes here.

#include <string>
#include <string_view>

// text as a quoted JSON string.
std::string JsonString(std::string_view text);
