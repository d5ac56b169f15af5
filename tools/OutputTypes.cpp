// SPDX-License-Identifier: MIT
#include "OutputTypes.h"

#include <cctype>
#include <iterator>

namespace {

constexpr OutputType kTypes[] = {
    {".png", "PNG", false},
    {".jpg", "JPG", false},
    {".bmp", "BMP", false},
    {".ppm", "PPM", false},
    {".svg", "SVG", false},
    {".html", "HTML", false, false},
    {".pdf", "PDF", false},
};

bool EndsWithNoCase(const std::string& s, const std::string& tail)
{
    if (s.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        unsigned char a = static_cast<unsigned char>(s[s.size() - tail.size() + i]);
        if (std::tolower(a) != static_cast<unsigned char>(tail[i]))
            return false;
    }
    return true;
}

std::string Describe(const OutputType& t)
{
    return std::string(t.ending) + (t.pageOnly ? " (with --print)" : "");
}

} // namespace

std::vector<OutputType> AllOutputTypes()
{
    return std::vector<OutputType>(std::begin(kTypes), std::end(kTypes));
}

const OutputType* FindOutputType(const std::string& path)
{
    for (const OutputType& t : kTypes)
        if (EndsWithNoCase(path, t.ending))
            return &t;
    return nullptr;
}

std::string DescribeOutputTypes()
{
    std::string text;
    size_t n = std::size(kTypes);
    for (size_t i = 0; i < n; ++i) {
        if (i > 0)
            text += i + 1 == n ? " and " : ", ";
        text += Describe(kTypes[i]);
    }
    return text;
}

std::string OutputTypeProblem(const std::string& path, bool print)
{
    const OutputType* type = FindOutputType(path);
    if (type == nullptr)
        return "unknown output type; the types written are " + DescribeOutputTypes();
    if (type->pageOnly && !print)
        return std::string(type->ending) + " is written only with --print";
    return std::string();
}

std::string UnsizedTypeProblem(const std::string& path, bool given)
{
    const OutputType* type = FindOutputType(path);
    if (type == nullptr || type->sized || !given)
        return std::string();
    return std::string(type->ending) + " fills the browser's window: --size, --print and --dpi do not go with it";
}
