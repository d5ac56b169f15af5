#include "JsonText.h"

#include "platform/surface/TextEncoding.h"

#include <cstdio>

namespace {

std::string AsUtf8(std::string_view text)
{
    CUtf8Check check;
    check.Feed(text);
    return check.Valid() ? std::string(text) : ToUtf8(text, CTextEncoding::Windows1252);
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (char c : AsUtf8(text)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (u < 0x20 || u == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}
