// SPDX-License-Identifier: MIT
#include "PosterOptions.h"

#include "OutputTypes.h"

#include "model/map/JumpRange.h"
#include "view/PosterLayout.h"

#include <charconv>

namespace {

bool ParseCount(const char* from, const char* to, int& count)
{
    auto [next, ec] = std::from_chars(from, to, count);
    return ec == std::errc() && next == to && count >= 1 && count <= CPosterLayout::kMaxPages;
}

} // namespace

bool ParsePages(const std::string& text, CSize& pages)
{
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    const char* p = text.data();
    return ParseCount(p, p + x, pages.cx) && ParseCount(p + x + 1, p + text.size(), pages.cy);
}

bool ParseScale(const std::string& text, std::int64_t& thousandths)
{
    constexpr std::uint64_t kMostThousandths = 10'000'000;
    // The same numbers as a jump range: digits, a point and at most three
    // more; no sign, no exponent, no NaN or infinity.
    std::optional<CJumpRange> value = CJumpRange::Parse(text);
    if (!value || value->Thousandths() == 0 || value->Thousandths() > kMostThousandths)
        return false;
    thousandths = std::int64_t(value->Thousandths());
    return true;
}

bool IsPoster(const RenderOptions& o)
{
    return o.pages.cx * o.pages.cy > 1;
}

std::string PosterProblem(const RenderOptions& o)
{
    const bool paged = o.pagesGiven || o.scale;
    if (paged && !o.print)
        return std::string(o.pagesGiven ? "--pages" : "--scale") + " goes with --print";
    if (o.scale && o.zoomGiven)
        return "--scale sets the page's scale instead of the zoom: --zoom does not go with it";
    // The title, the scale bar and a route's sketch are placed on the one
    // page at the window's zoom.
    if (paged && (!o.title.empty() || o.scaleBar || o.route))
        return std::string(o.pagesGiven ? "--pages" : "--scale") + " does not go with --title, --scale-bar or --route";
    const OutputType* type = FindOutputType(o.output);
    if (IsPoster(o) && type != nullptr && std::string(type->format) == "SVG")
        return "--pages above 1x1 writes a PDF or pictures: an .svg file holds one page";
    if (IsPoster(o) && PictureToStandardOutput(o) && o.type != "pdf")
        return "--pages above 1x1 writes one picture a page: -o - takes the poster as one PDF (--type pdf)";
    return std::string();
}

std::vector<std::string> PosterPageFiles(const RenderOptions& o)
{
    const OutputType* type = FindOutputType(o.output);
    if (!IsPoster(o) || type == nullptr || type->pageOnly || !type->sized || std::string(type->format) == "SVG")
        return {};
    const size_t stem = o.output.size() - std::string(type->ending).size();
    std::vector<std::string> files;
    for (int row = 1; row <= o.pages.cy; ++row)
        for (int column = 1; column <= o.pages.cx; ++column)
            files.push_back(o.output.substr(0, stem) + "-r" + std::to_string(row) + "c" + std::to_string(column) +
                            o.output.substr(stem));
    return files;
}
