// SPDX-License-Identifier: MIT
#pragma once

// How the bytes of a text become characters, and back: the one place that
// decodes, encodes and checks UTF-8 and holds the Windows-1252 table (the
// escaping of TextEscape.h and the case folding of names read UTF-8
// through it). A map keeps its names as the
// bytes its file holds; which characters they stand for is decided once
// per map: UTF-8 when every byte above 0x7F belongs to a well-formed UTF-8
// sequence, else Windows-1252, the code page of the map font's ANSI
// character set. Names are drawn, measured and looked up in that encoding.
// Text typed by the user (UTF-8) is converted into it before it is compared
// with names byte for byte.
//
// Windows-1252 gives 0x80 to 0x9F the characters
//   € ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ
// and leaves 0x81, 0x8D, 0x8F, 0x90 and 0x9D without one; 0xA0 to 0xFF are
// the Latin-1 characters of the same numbers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CTextEncoding { Utf8, Windows1252 };

// Checks bytes that arrive in pieces for well-formed UTF-8 (shortest forms,
// no surrogates, nothing above U+10FFFF); a sequence may be split between
// two pieces. Text without bytes above 0x7F is well-formed.
class CUtf8Check {
public:
    void Feed(std::string_view bytes);
    // Every byte fed so far belongs to a whole, well-formed sequence.
    bool Valid() const { return !m_broken && m_pending == 0; }

private:
    bool m_broken = false;
    int m_pending = 0;            // continuation bytes still to come
    unsigned char m_low = 0x80;   // range of the next continuation byte
    unsigned char m_high = 0xBF;
};

// The length of the well-formed UTF-8 sequence that starts at text[i]
// (1 for a byte below 0x80), or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);
// One character decoded from UTF-8 at text[pos] (pos < text.size()); pos
// moves past it. A malformed sequence gives U+FFFD for its longest start
// that could still have been well-formed, at least one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
// c (at most U+10FFFF) appended to out in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The encoding of a map whose name bytes (or whole file) are these.
CTextEncoding EncodingOf(const CUtf8Check& check);

// Text in encoding as UTF-8. A byte or sequence that stands for no
// character becomes U+FFFD, the replacement character.
std::string ToUtf8(std::string_view text, CTextEncoding encoding);
// The characters text stands for in encoding, as ToUtf8 reads them, into
// out (cleared first; its storage is reused).
void ToCharacters(std::string_view text, CTextEncoding encoding, std::vector<char32_t>& out);
// UTF-8 text as bytes in encoding; nothing when a character has no form
// there or the text is not well-formed UTF-8.
std::optional<std::string> FromUtf8(std::string_view utf8, CTextEncoding encoding);
