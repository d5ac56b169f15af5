// SPDX-License-Identifier: MIT
#include "TypedNames.h"

#include "model/find/NameSuggestions.h"
#include "model/map/StarMap.h"

#include "platform/surface/TextEscape.h"
#include "platform/surface/TextEncoding.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// One character of the map's text: its bytes and what they read as.
std::string ShownCharacter(std::string_view bytes, CTextEncoding encoding)
{
    std::vector<char32_t> characters;
    ToCharacters(bytes, encoding, characters);
    if (characters.size() == 1 && characters[0] != 0xFFFD && !IsControl(characters[0]))
        return ToUtf8(bytes, encoding);
    std::string shown;
    for (char c : bytes)
        shown += ByteEscape(static_cast<unsigned char>(c));
    return shown;
}

// typed with each \xHH made the byte HH and the text between converted
// into encoding; nothing when some of that text has no form there.
std::optional<std::string> Unescaped(const std::string& typed, CTextEncoding encoding)
{
    std::string bytes, run;
    auto flush = [&]() {
        std::optional<std::string> converted = FromUtf8(run, encoding);
        run.clear();
        if (converted)
            bytes += *converted;
        return converted.has_value();
    };
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (std::optional<char> byte = ByteEscapeAt(typed, i)) {
            if (!flush())
                return std::nullopt;
            bytes += *byte;
            i += 3;
        } else {
            run += typed[i];
        }
    }
    if (!flush())
        return std::nullopt;
    return bytes;
}

} // namespace

std::string ShownName(const CStarMap& map, const std::string& bytes)
{
    const CTextEncoding encoding = map.GetTextEncoding();
    std::string shown;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 1;
        if (encoding == CTextEncoding::Utf8)
            length = std::max<std::size_t>(Utf8CharLength(bytes, i), 1);
        shown += ShownCharacter(std::string_view(bytes).substr(i, length), encoding);
        i += length;
    }
    return shown;
}

std::int16_t PlanetNamed(const CStarMap& map, const std::string& typed)
{
    const CTextEncoding encoding = map.GetTextEncoding();
    if (std::optional<std::string> name = FromUtf8(typed, encoding)) {
        std::int16_t planet = map.FindPlanetIndex(*name);
        if (planet >= 0)
            return planet;
    }
    if (typed.find("\\x") == std::string::npos)
        return -1;
    std::optional<std::string> name = Unescaped(typed, encoding);
    return name ? map.FindPlanetIndex(*name) : std::int16_t(-1);
}

int UnknownName(const CStarMap& map, const std::string& typed, std::ostream& err)
{
    err << "kestrin-render: no planet is named \"" << EscapeShown(typed) << "\"";
    std::vector<std::int16_t> suggestions = CNameSuggestions(map).Suggest(typed, 3);
    const char* separator = "; did you mean ";
    for (std::int16_t planet : suggestions) {
        err << separator << '"' << ShownName(map, map.GetPlanet(planet).m_strName) << '"';
        separator = ", ";
    }
    err << (suggestions.empty() ? "\n" : "?\n");
    return 2;
}

bool CenterOnNamed(const CStarMap& map, RenderOptions& o, std::ostream& err)
{
    if (!o.centerOn)
        return true;
    const std::int16_t planet = PlanetNamed(map, *o.centerOn);
    if (planet < 0) {
        UnknownName(map, *o.centerOn, err);
        return false;
    }
    o.center = CPoint(map.GetPlanet(planet).m_x, map.GetPlanet(planet).m_y);
    return true;
}
