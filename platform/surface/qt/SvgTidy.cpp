// SPDX-License-Identifier: MIT
#include "platform/surface/qt/SvgTidy.h"

#include <algorithm>

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

} // namespace

void CSvgTidier::Feed(std::string_view bytes)
{
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            m_partial.append(bytes);
            return;
        }
        if (m_partial.empty()) {
            Line(bytes.substr(0, end));
        } else {
            m_partial.append(bytes.substr(0, end));
            std::string line;
            line.swap(m_partial);
            Line(line);
        }
        bytes.remove_prefix(end + 1);
    }
}

// A group's opening tag is held back, line by line, until it is known
// whether it opens an empty group.
void CSvgTidier::Line(std::string_view line)
{
    const std::size_t held = m_pending.size();
    const bool next = (held == 0 && line.starts_with("<g ")) || (held == 1 && line.starts_with("font-family=")) ||
                      (held == 2 && line == ">");
    if (next) {
        m_pending.emplace_back(line);
        return;
    }
    if (held == 3 && line == "</g>") {
        m_pending.clear();
        return;
    }
    Flush();
    if (held > 0)
        Line(line);  // nothing is held now; it may open a group itself
    else
        Emit(line);
}

void CSvgTidier::Emit(std::string_view line)
{
    if (!line.empty())
        AppendXmlSafe(m_out, line);
}

// Writes what is held: a whole opening tag tidied on one line, a part of
// one as it stood.
void CSvgTidier::Flush()
{
    if (m_pending.size() == 3) {
        std::string open = m_pending[0];
        if (std::size_t at = open.find(kIdentity); at != std::string::npos)
            open.erase(at, kIdentity.size());
        Emit(open + ">");
    } else {
        for (const std::string& line : m_pending)
            Emit(line);
    }
    m_pending.clear();
}

std::string CSvgTidier::Finish()
{
    if (!m_partial.empty()) {
        std::string line;
        line.swap(m_partial);
        Line(line);
    }
    Flush();
    std::string out;
    out.swap(m_out);
    return out;
}

std::string TidySvg(std::string_view document)
{
    CSvgTidier tidier;
    tidier.Feed(document);
    return tidier.Finish();
}
