// SPDX-License-Identifier: MIT
#include "JsonText.h"

#include "platform/surface/TextEscape.h"

#include <cstdio>

namespace {

std::string Escape(const char* format, unsigned value)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    return escape;
}

} // namespace

std::string JsonString(std::string_view text)
{
    const std::string bytes(text);
    std::string json = "\"";
    json.reserve(bytes.size() + 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char u = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = Utf8CharLength(bytes, i);
        if (length > 1) {
            json.append(bytes, i, length);
        } else if (length == 0) {
            json += Escape("\\udc%02x", u);
        } else if (u == '"' || u == '\\') {
            json += '\\';
            json += static_cast<char>(u);
        } else if (u < 0x20 || u == 0x7F) {
            json += Escape("\\u%04x", u);
        } else {
            json += static_cast<char>(u);
        }
        i += length == 0 ? 1 : length;
    }
    return json + "\"";
}
