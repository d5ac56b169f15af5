// SPDX-License-Identifier: MIT
#include "platform/framework/MessageText.h"

#include "platform/surface/TextEscape.h"

#include <vector>

namespace {

constexpr const char* kZeroWidthSpace = "\xe2\x80\x8b";
constexpr const char* kEllipsis = "\xe2\x80\xa6";

// One line cut into its characters, each a run of bytes.
std::vector<std::string> Characters(const std::string& line)
{
    std::vector<std::string> chars;
    for (size_t i = 0; i < line.size();) {
        size_t length = Utf8CharLength(line, i);
        length = length == 0 ? 1 : length;
        chars.push_back(line.substr(i, length));
        i += length;
    }
    return chars;
}

std::string ShownLine(const std::string& line)
{
    std::vector<std::string> chars = Characters(line);
    if (chars.size() > kMaxLineChars) {
        size_t keep = (kMaxLineChars - 1) / 2;
        chars.erase(chars.begin() + static_cast<long>(keep), chars.end() - static_cast<long>(keep));
        chars.insert(chars.begin() + static_cast<long>(keep), kEllipsis);
    }
    std::string out;
    size_t run = 0;
    for (const std::string& c : chars) {
        out += c;
        run = c == " " ? 0 : run + 1;
        if (c == "/" || run >= kWrapRun) {
            out += kZeroWidthSpace;
            run = 0;
        }
    }
    return out;
}

} // namespace

std::string ShownMessageText(const std::string& text)
{
    std::string out;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\n', start);
        out += ShownLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return out;
        out += '\n';
        start = end + 1;
    }
}
