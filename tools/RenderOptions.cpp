#include "RenderOptions.h"

#include <charconv>
#include <functional>
#include <map>

const char* const kRenderUsage =
    "usage: kestrin-render [--size WxH] [--zoom N|WxH] [--center X,Y] [--circles] [--truce] "
    "[--legend] [--measure X1,Y1,X2,Y2]... [--print] [--dpi N] -o OUT.png|OUT.pdf FILE.dat";

const char* const kRenderHelp =
    "Usage: kestrin-render [OPTION]... -o OUT FILE.dat\n"
    "Draw the star map in FILE.dat as the Kestrin window would show it, or with\n"
    "--print as the printed page, into the picture OUT (.png, .jpg, .bmp or .ppm;\n"
    ".pdf with --print).\n"
    "\n"
    "  -o OUT                 the picture to write; its ending picks the format\n"
    "  --size WxH             picture size in pixels, 1 to 16384 each (800x600)\n"
    "  --zoom N|WxH           window extent in map units, 1 to 12500 (12500)\n"
    "  --center X,Y           map point at the middle, in map units (0,0)\n"
    "  --circles              draw the light-year circles and axes\n"
    "  --truce                draw the truce line\n"
    "  --legend               draw the faction legend (not on a printed page)\n"
    "  --measure X1,Y1,X2,Y2  add a distance line in map units; may be repeated\n"
    "  --print                draw the 8 by 10 inch printed page, black on white\n"
    "  --dpi N                dots per inch of the printed page, 1 to 600 (100)\n"
    "  --help                 print this help and exit\n"
    "  --version              print the version and exit\n"
    "\n"
    "Exit status: 0 when the file loaded whole, 1 when it failed part-way (the\n"
    "partial map is drawn and FILE:LINE: cause is printed), 2 for usage errors\n"
    "and files that cannot be read or written.\n"
    "See kestrin-render(1).\n";

namespace {

constexpr int kMaxImageSide = 16384;
constexpr int kMaxZoom = CMapViewport::kFullExtent;
constexpr int kMaxDpi = 600;

// Splits text at sep into exactly count integers.
bool ParseInts(const std::string& text, char sep, size_t count, std::vector<int>& out)
{
    out.clear();
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        int value = 0;
        auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || next == p)
            return false;
        out.push_back(value);
        p = next;
        if (p == end)
            break;
        if (*p != sep)
            return false;
        ++p;
    }
    return out.size() == count;
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

using ValueHandler = std::function<bool(const std::string&)>;

// The options that take a value, each setting its field of o; false for a
// value out of its range.
std::map<std::string, ValueHandler> ValuedOptions(RenderOptions& o)
{
    return {
        {"--size", [&o](const std::string& a) {
             std::vector<int> v;
             if (!ParseInts(a, 'x', 2, v) || !InRange(v[0], 1, kMaxImageSide) || !InRange(v[1], 1, kMaxImageSide))
                 return false;
             o.size = CSize(v[0], v[1]);
             return true;
         }},
        {"--zoom", [&o](const std::string& a) {
             std::vector<int> v;
             if (ParseInts(a, 'x', 1, v))
                 v.push_back(v[0]);
             else if (!ParseInts(a, 'x', 2, v))
                 return false;
             if (!InRange(v[0], 1, kMaxZoom) || !InRange(v[1], 1, kMaxZoom))
                 return false;
             o.zoom = CSize(v[0], v[1]);
             return true;
         }},
        {"--center", [&o](const std::string& a) {
             std::vector<int> v;
             if (!ParseInts(a, ',', 2, v))
                 return false;
             o.center = CPoint(v[0], v[1]);
             return true;
         }},
        {"--measure", [&o](const std::string& a) {
             std::vector<int> v;
             if (!ParseInts(a, ',', 4, v))
                 return false;
             o.measures.emplace_back(v[0], v[1], v[2], v[3]);
             return true;
         }},
        {"--dpi", [&o](const std::string& a) {
             std::vector<int> v;
             if (!ParseInts(a, 'x', 1, v) || !InRange(v[0], 1, kMaxDpi))
                 return false;
             o.dpi = v[0];
             return true;
         }},
        {"-o", [&o](const std::string& a) {
             o.output = a;
             return !a.empty();
         }},
    };
}

} // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error)
{
    RenderOptions o;
    const std::map<std::string, ValueHandler> valued = ValuedOptions(o);
    const std::map<std::string, bool*> flags = {
        {"--circles", &o.circles}, {"--truce", &o.truce}, {"--legend", &o.legend}, {"--print", &o.print}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "--version") {
            (arg == "--help" ? o.help : o.version) = true;
            return o;
        }
        if (auto f = flags.find(arg); f != flags.end()) {
            *f->second = true;
        } else if (auto h = valued.find(arg); h != valued.end()) {
            if (i + 1 >= args.size() || !h->second(args[i + 1])) {
                error = "kestrin-render: bad or missing value for " + arg;
                return std::nullopt;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "kestrin-render: unknown option " + arg;
            return std::nullopt;
        } else if (o.input.empty()) {
            o.input = arg;
        } else {
            error = "kestrin-render: more than one data file given";
            return std::nullopt;
        }
    }
    if (o.input.empty() || o.output.empty()) {
        error = kRenderUsage;
        return std::nullopt;
    }
    return o;
}

bool AsksForHelpOrVersion(const std::vector<std::string>& args)
{
    std::string error;
    std::optional<RenderOptions> o = ParseRenderOptions(args, error);
    return o && (o->help || o->version);
}
