// SPDX-License-Identifier: MIT
#include "platform/surface/TextEscape.h"

#include "platform/surface/TextEncoding.h"

#include <cstdio>
#include <cstring>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The escape for a control byte, or empty for any other.
std::string ControlEscape(unsigned char c)
{
    switch (c) {
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return c < 0x20 || c == 0x7F ? ByteEscape(c) : std::string();
    }
}

// Escapes control bytes and bytes outside valid UTF-8; special(c, at)
// gives the text for any other ASCII byte that is not to stay as it is.
template <typename Special>
std::string Escape(const std::string& bytes, Special special)
{
    std::string out;
    for (size_t i = 0; i < bytes.size();) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t length = Utf8CharLength(bytes, i);
        if (length > 1) {
            out.append(bytes, i, length);
            i += length;
            continue;
        }
        std::string escaped = length == 0 ? ByteEscape(c) : ControlEscape(c);
        if (escaped.empty())
            escaped = special(c, i);
        if (escaped.empty())
            out += static_cast<char>(c);
        else
            out += escaped;
        ++i;
    }
    return out;
}

} // namespace

std::string ByteEscape(unsigned char byte)
{
    char buf[5];
    std::snprintf(buf, sizeof buf, "\\x%02X", byte);
    return buf;
}

std::optional<char> ByteEscapeAt(const std::string& text, size_t i)
{
    if (text.compare(i, 2, "\\x") != 0 || i + 3 >= text.size() || HexDigit(text[i + 2]) < 0 ||
        HexDigit(text[i + 3]) < 0)
        return std::nullopt;
    return static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
}

size_t Utf8CharLength(const std::string& text, size_t i)
{
    return Utf8SequenceLength(text, i);
}

size_t Utf8Length(const std::string& text)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) {
        size_t length = Utf8CharLength(text, i);
        i += length == 0 ? 1 : length;
    }
    return count;
}

std::string EscapeStored(const std::string& bytes)
{
    size_t last = bytes.size() - 1;
    return Escape(bytes, [&](unsigned char c, size_t at) {
        if (c == '\\')
            return std::string("\\\\");
        bool special = std::strchr("[]=;#", c) != nullptr || (c == ' ' && (at == 0 || at == last));
        return special ? ByteEscape(c) : std::string();
    });
}

std::string UnescapeStored(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '\\' || next == '\0') {
            out += text[i];
        } else if (next == '\\' || next == 'n' || next == 'r' || next == 't') {
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : '\\';
            ++i;
        } else if (std::optional<char> byte = ByteEscapeAt(text, i)) {
            out += *byte;
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string EscapeShown(const std::string& bytes)
{
    return Escape(bytes, [](unsigned char, size_t) { return std::string(); });
}
