// SPDX-License-Identifier: MIT
#pragma once

// How the program writes bytes that may be anything: a file name may hold
// every byte but NUL, including newlines and bytes that are not UTF-8.
//
// EscapeStored makes one line of text for the settings file from any
// bytes, and UnescapeStored gives them back exactly: a backslash becomes
// "\\"; newline, carriage return and tab become "\n", "\r" and "\t"; other
// control bytes, bytes that are not part of valid UTF-8, the characters
// the settings reader treats specially ('[', ']', '=', ';', '#') and a space
// at either end become "\xHH". Valid UTF-8 stays as it is, so ordinary
// names read as they are. Unescaping leaves a backslash that starts no
// known escape as it stands.
//
// EscapeShown is for showing a name to the user: control bytes and bytes
// that are not valid UTF-8 become escapes; everything else, backslashes
// included, is shown as it is.

#include <optional>
#include <string>

std::string EscapeStored(const std::string& bytes);
std::string UnescapeStored(const std::string& text);
std::string EscapeShown(const std::string& bytes);

// The one form of a byte escape wherever text shows or takes one: "\xHH",
// two upper-case hex digits on the way out, either case on the way in.
std::string ByteEscape(unsigned char byte);
// The byte of the escape "\xHH" that text holds at i, or nothing when no
// whole escape stands there.
std::optional<char> ByteEscapeAt(const std::string& text, size_t i);

// The length in bytes of the valid UTF-8 character at text[i], or 0 when
// the byte there does not start one.
size_t Utf8CharLength(const std::string& text, size_t i);
// Characters in valid UTF-8 text (any other byte counts as one).
size_t Utf8Length(const std::string& text);
