#include "platform/surface/qt/SvgTidy.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kIdentity = " transform=\"matrix(1,0,0,1,0,0)\"";

bool Forbidden(unsigned char c)
{
    return c < 0x20 && c != '\t' && c != '\r';
}

// The markup never holds such characters, and in UTF-8 no byte below 0x80
// is part of a longer character, so each one found belongs to a text.
void AppendXmlSafe(std::string& out, std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (Forbidden(c)) {
            out += kReplacement;
        } else if (c == 0xEF && i + 2 < line.size() && line[i + 1] == '\xBF' &&
                   (line[i + 2] == '\xBE' || line[i + 2] == '\xBF')) {
            out += kReplacement;
            i += 2;
        } else {
            out += line[i];
        }
    }
    out += '\n';
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

std::string TidySvg(std::string_view document)
{
    std::string out;
    out.reserve(document.size() / 2);
    const std::vector<std::string_view> lines = Lines(document);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const bool groupOpens = line.starts_with("<g ") && i + 2 < lines.size() &&
                                lines[i + 1].starts_with("font-family=") && lines[i + 2] == ">";
        if (groupOpens) {
            if (i + 3 < lines.size() && lines[i + 3] == "</g>") {
                i += 3;
                continue;
            }
            std::string open(line);
            if (std::size_t at = open.find(kIdentity); at != std::string::npos)
                open.erase(at, kIdentity.size());
            out += open;
            out += ">\n";
            i += 2;
            continue;
        }
        if (!line.empty())
            AppendXmlSafe(out, line);
    }
    return out;
}
