// SPDX-License-Identifier: MIT
#include "WebPage.h"

#include "JsonText.h"
#include "WebPayload.h"

#include "model/map/StarMap.h"

#include "platform/surface/Deflate.h"
#include "platform/surface/TextEncoding.h"

#include <optional>
#include <string_view>

// The page with its styles and first script inlined, and the page's code,
// made by the build from web/ (web/embed.cmake).
extern const char* const kWebPageTemplate;
extern const char* const kWebPageCode;

namespace {

// The file's own name, without its folder.
std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// JSON for a <script type="application/json"> block: no "<" may end the
// block early, so it is written as an escape.
std::string InScript(const std::string& json)
{
    std::string out;
    for (char c : json)
        out += c == '<' ? std::string("\\u003c") : std::string(1, c);
    return out;
}

std::string Measures(const CStarMap& map)
{
    std::string json = "[";
    for (std::int16_t i = 0; i < map.GetMeasureLineCount(); ++i) {
        const CMeasureLine& m = map.GetMeasureLine(i);
        json += (i ? "," : "") + std::string("[") + std::to_string(m.m_x1) + "," + std::to_string(m.m_y1) + "," +
                std::to_string(m.m_x2) + "," + std::to_string(m.m_y2) + "," + std::to_string(m.m_lightYears) + "]";
    }
    return json + "]";
}

std::string Flag(bool b) { return b ? "true" : "false"; }

std::string Config(const CStarMap& map, const RenderOptions& o)
{
    std::string json = "{\"zoom\":[" + std::to_string(o.zoom.cx) + "," + std::to_string(o.zoom.cy) + "]";
    json += ",\"center\":[" + std::to_string(o.center.x) + "," + std::to_string(o.center.y) + "]";
    json += ",\"legend\":" + Flag(o.legend) + ",\"circles\":" + Flag(o.circles) + ",\"truce\":" + Flag(o.truce);
    json += ",\"truceY\":" + std::to_string(map.FindPlanet("Morvath").y);
    json += ",\"measures\":" + Measures(map);
    if (o.route && o.jump)
        json += ",\"route\":{\"from\":" + JsonString(o.routeFrom) + ",\"to\":" + JsonString(o.routeTo) +
                ",\"jumpThousandths\":" + std::to_string(o.jump->Thousandths()) + "}";
    return InScript(json + "}");
}

// Replaces the first marker in page with text.
void Fill(std::string& page, const std::string& marker, const std::string& text)
{
    const std::size_t at = page.find(marker);
    if (at != std::string::npos)
        page.replace(at, marker.size(), text);
}

} // namespace

const std::string& Text85Digits()
{
    static const std::string digits = [] {
        std::string d;
        for (char c = 33; c < 127 && d.size() < 85; ++c)
            if (std::string_view("<>&\"'`\\@").find(c) == std::string_view::npos)
                d += c;
        return d;
    }();
    return digits;
}

std::string Text85(const std::string& bytes)
{
    const std::string& digits = Text85Digits();
    std::string out;
    out.reserve((bytes.size() + 3) / 4 * 5);
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::size_t n = std::min<std::size_t>(4, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 4; ++k)
            v = v << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        char group[5];
        for (int k = 4; k >= 0; --k, v /= 85)
            group[k] = digits[v % 85];
        out.append(group, n + 1);
    }
    return out;
}

std::string HtmlText(const std::string& text)
{
    CUtf8Check check;
    check.Feed(text);
    std::string out;
    for (char c : ToUtf8(text, EncodingOf(check))) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += u < 0x20 || u == 0x7F ? std::string("\xEF\xBF\xBD") : std::string(1, c);
        }
    }
    return out;
}

std::string WebPageText(const CStarMap& map, const RenderOptions& o, std::string& reason)
{
    // The code and the map in one block: u32 length of the code, the code,
    // the map (boot.js takes them apart).
    const std::string code = kWebPageCode;
    std::string block;
    for (int shift = 0; shift < 32; shift += 8)
        block += static_cast<char>((code.size() >> shift) & 0xFF);
    std::optional<std::string> packed = DeflateBytes(block + code + WebPayload(map));
    if (!packed) {
        reason = "the map could not be compressed";
        return std::string();
    }
    std::string page = kWebPageTemplate;
    // Last marker first: each fill finds the template's own marker before
    // any text filled in, so a name that holds a marker changes nothing.
    Fill(page, "@KESTRIN_DATA@", Text85(*packed));
    Fill(page, "@KESTRIN_CONFIG@", Config(map, o));
    Fill(page, "@KESTRIN_TITLE@", HtmlText(BaseName(o.input) + " - Kestrin"));
    return page;
}
