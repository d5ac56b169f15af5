// SPDX-License-Identifier: MIT
#include "RenderOptions.h"

#include "platform/surface/TextEscape.h"
#include "OutputTypes.h"
#include "PosterOptions.h"
#include "PictureNotes.h"

#include <charconv>
#include <functional>
#include <map>

const char* const kRenderUsage =
    "usage: kestrin-render [--size WxH] [--zoom N|WxH] [--center X,Y|--center-on NAME] [--circles] [--truce] "
    "[--legend] [--measure X1,Y1,X2,Y2]... [--print [--pages CxR] [--scale LY]] [--dpi N] [--title TEXT] "
    "[--scale-bar] [--smooth] [--type TYPE] -o OUT.png|OUT.svg|OUT.pdf|OUT.html|- FILE.dat; "
    "kestrin-render --check [--json] FILE.dat; "
    "kestrin-render --route FROM TO --jump LY [--via NAME]... [--format text|json|csv] [-o OUT] FILE.dat; "
    "kestrin-render --export csv|json [-o OUT] FILE.dat; "
    "kestrin-render --near NAME --within LY [--jump LY] [--format text|json|csv] [-o OUT] FILE.dat";

const char* const kRenderHelp =
    "Usage: kestrin-render [OPTION]... -o OUT FILE.dat\n"
    "       kestrin-render --check [--json] FILE.dat\n"
    "       kestrin-render --route FROM TO --jump LY [OPTION]... FILE.dat\n"
    "       kestrin-render --export csv|json [-o OUT.csv|OUT.json] FILE.dat\n"
    "       kestrin-render --near NAME --within LY [--jump LY] [OPTION]... FILE.dat\n"
    "Draw the star map in FILE.dat as the Kestrin window would show it, or with\n"
    "--print as the printed page, into the picture OUT (.png, .jpg, .bmp, .ppm,\n"
    ".svg or .pdf, in colour unless --print), or into a web page (.html): one\n"
    "file that opens offline in any current browser, with the map filling the\n"
    "window, zoom and pan, hover, search, measuring and routes (the view in its\n"
    "address; --size, --print and --dpi do not go with it).\n"
    "\n"
    "  -o OUT                 the picture to write; its ending picks the format;\n"
    "                         - for the standard output (not a terminal)\n"
    "  --type TYPE            with -o -, the picture's type: png (the default),\n"
    "                         jpg, bmp, ppm, svg, pdf or html\n"
    "  --size WxH             picture size in pixels, 1 to 16384 each (800x600)\n"
    "  --zoom N|WxH           window extent in map units, 1 to 12500 (12500)\n"
    "  --center X,Y           map point at the middle, in map units (0,0)\n"
    "  --center-on NAME       the planet NAME at the middle (named as --route\n"
    "                         takes it)\n"
    "  --circles              draw the light-year circles and axes\n"
    "  --truce                draw the truce line\n"
    "  --legend               draw the faction legend (not with --print: the\n"
    "                         page's planets all print in black)\n"
    "  --measure X1,Y1,X2,Y2  add a distance line in map units; may be repeated\n"
    "  --print                draw the 8 by 10 inch printed page, black on white\n"
    "  --dpi N                dots per inch of the printed page, 1 to 600 (100)\n"
    "  --pages CxR            with --print, a poster: the page's picture spread\n"
    "                         over C columns by R rows of sheets, 1x1 to 8x8\n"
    "                         (1x1), at the smaller of C and R times the scale,\n"
    "                         so the whole page is on it. Each sheet 9 by 11\n"
    "                         inches: its 8 by 10 inch part of the poster, a\n"
    "                         quarter inch more toward the next column and row\n"
    "                         to glue under it, cut marks at the corners and\n"
    "                         \"row r of R, column c of C\" above. One PDF of\n"
    "                         C x R pages, or for -o NAME.png the pictures\n"
    "                         NAME-r1c1.png, NAME-r1c2.png ... (not .svg)\n"
    "  --scale LY             with --print, LY light years to the inch instead\n"
    "                         of --zoom (above 0, at most 10000, such as 25 or\n"
    "                         12.5), so a ruler measures the printed map (the\n"
    "                         poster, with --pages)\n"
    "  --title TEXT           a title at the top centre, in the legend's font:\n"
    "                         one line of UTF-8, drawn as it is typed\n"
    "  --scale-bar            a bar of a round number of light years (1, 2 or\n"
    "                         5 times a power of ten) at the bottom left, as\n"
    "                         long as that many light years on the picture\n"
    "  --smooth               smooth (anti-aliased) shapes and text, for a\n"
    "                         picture of pixels meant for people; without it\n"
    "                         the pixels are the window's\n"
    "  --check                report every problem in FILE.dat, one line each:\n"
    "                         FILE:LINE: error: ... or FILE:LINE: warning: ...\n"
    "  --json                 with --check, the findings as one JSON document\n"
    "  --route FROM TO        the route between the planets named FROM and TO\n"
    "                         (exact names; a byte shown as \\xHH may be typed\n"
    "                         so) with the fewest jumps, then the shortest:\n"
    "                         each leg, the total (their sum) and the longest\n"
    "                         jump in light years to a tenth, cut as the\n"
    "                         window's tooltip cuts them; with no route, the\n"
    "                         least --jump that finds one. With -o also drawn:\n"
    "                         the stops numbered in order, each leg a line\n"
    "                         labelled in whole light years clear of the\n"
    "                         stops' names, fitted to the picture unless\n"
    "                         --zoom, --center or --center-on is given\n"
    "  --via NAME             a stop of --route between FROM and TO; may be\n"
    "                         repeated, the stops visited in the order given,\n"
    "                         each stretch the best route by the rules above\n"
    "  --jump LY              the longest jump in light years, such as 12.5;\n"
    "                         with --near, how many such jumps reach each planet\n"
    "  --export csv|json      every planet of FILE.dat in file order: name\n"
    "                         (UTF-8), x and y as the file gives them, faction\n"
    "                         code, legend name, colour #rrggbb; JSON adds the\n"
    "                         encoding and where the load stopped, if it did.\n"
    "                         To the standard output, or to -o OUT.csv|OUT.json\n"
    "  --near NAME            the planets within --within LY light years of the\n"
    "                         planet NAME (named as --route takes it; exactly LY\n"
    "                         away is in), nearest first, ties in file order:\n"
    "                         light years as a measure line counts them and to\n"
    "                         a tenth, faction and file coordinates. With -o\n"
    "                         also drawn: centred on NAME with a ring of the\n"
    "                         range, fitted to it unless --zoom is given\n"
    "  --within LY            the range of --near, above 0, such as 100 or 12.5\n"
    "  --format text|json|csv how --near writes its list and --route its legs\n"
    "                         (text); JSON and CSV give each leg's planets\n"
    "                         (UTF-8 names, file coordinates, faction, legend\n"
    "                         name) and light years, then the totals. To the\n"
    "                         standard output, or to -o OUT.json|OUT.csv\n"
    "  --help                 print this help and exit\n"
    "  --version              print the version and the licence and exit\n"
    "\n"
    "Map units: --center, --zoom and --measure count in map units, ten to\n"
    "one unit of the file, with y turned over: the planet at 12, 34 in the\n"
    "file, as the window's tooltip shows it, is at --center 120,-340. Twenty\n"
    "map units make a light year.\n"
    "\n"
    "Examples:\n"
    "  kestrin-render --legend -o map.svg kestrin.dat\n"
    "  kestrin-render --print --type pdf -o - kestrin.dat | lp\n"
    "  kestrin-render --legend --zoom 3125 --center 400,-900 -o map.html kestrin.dat\n"
    "  kestrin-render --print --pages 3x3 --dpi 300 -o poster.pdf kestrin.dat\n"
    "  kestrin-render --print --scale 20 --center-on \"Kaquany Ostdar\" -o page.pdf \\\n"
    "      kestrin.dat\n"
    "  kestrin-render --legend --title \"Sector 7\" --scale-bar --smooth \\\n"
    "      --zoom 3125 --center 400,-900 -o map.png kestrin.dat\n"
    "  kestrin-render --legend --title \"Sector 7\" --scale-bar -o map.pdf kestrin.dat\n"
    "  kestrin-render --check kestrin.dat\n"
    "  kestrin-render --route \"Kaquany Ostdar\" \"Prytha Ostny Minor\" --jump 25 \\\n"
    "      -o route.png kestrin.dat\n"
    "  kestrin-render --route \"Kaquany Ostdar\" \"Prytha Ostny Minor\" --jump 25 \\\n"
    "      --via \"Prythael Dargal\" --format json kestrin.dat\n"
    "  kestrin-render --export csv -o planets.csv kestrin.dat\n"
    "  kestrin-render --near \"Kaquany Ostdar\" --within 100 --jump 25 kestrin.dat\n"
    "  kestrin-render --near \"Kaquany Ostdar\" --within 30 -o near.png kestrin.dat\n"
    "\n"
    "Exit status: 0 when the file loaded whole, 1 when it failed part-way (the\n"
    "partial map is drawn and FILE:LINE: cause is printed), 2 for usage errors\n"
    "and files that cannot be read or written. --check: 0 when nothing was\n"
    "found, 1 for errors, 3 for warnings only. --route: 0 for a route, 1 when\n"
    "there is none, 2 for a name that no planet has. --export: as a picture.\n"
    "--near: 0 for a list, 2 for a name that no planet has. Every command exits 2\n"
    "when its output cannot be written whole.\n"
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
             o.sizeGiven = true;
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
             o.zoomGiven = true;
             return true;
         }},
        {"--center", [&o](const std::string& a) {
             std::vector<int> v;
             if (!ParseInts(a, ',', 2, v))
                 return false;
             o.center = CPoint(v[0], v[1]);
             o.centerGiven = true;
             return true;
         }},
        {"--center-on", [&o](const std::string& a) {
             o.centerOn = a;
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
             o.dpiGiven = true;
             return true;
         }},
        {"--jump", [&o](const std::string& a) {
             o.jump = CJumpRange::Parse(a);
             return o.jump.has_value();
         }},
        {"--export", [&o](const std::string& a) {
             o.exportFormat = a;
             return a == "csv" || a == "json";
         }},
        {"--near", [&o](const std::string& a) {
             o.nearName = a;
             return true;
         }},
        {"--within", [&o](const std::string& a) {
             o.within = CJumpRange::Parse(a);
             return o.within && o.within->Thousandths() > 0;
         }},
        {"--format", [&o](const std::string& a) {
             o.format = a;
             return a == "text" || a == "json" || a == "csv";
         }},
        {"--via", [&o](const std::string& a) {
             o.via.push_back(a);
             return !a.empty();
         }},
        {"--pages", [&o](const std::string& a) {
             o.pagesGiven = true;
             return ParsePages(a, o.pages);
         }},
        {"--scale", [&o](const std::string& a) {
             std::int64_t thousandths = 0;
             if (!ParseScale(a, thousandths))
                 return false;
             o.scale = thousandths;
             return true;
         }},
        {"--title", [&o](const std::string& a) {
             o.title = a;
             return FitsTitle(a);
         }},
        {"-o", [&o](const std::string& a) {
             o.output = a;
             return !a.empty();
         }},
        {"--type", [&o](const std::string& a) {
             o.type = a;
             const OutputType* type = FindOutputType("." + a);
             return type != nullptr && a.size() + 1 == std::string(type->ending).size();
         }},
    };
}

// The form each valued option takes, for the message about a bad value.
const char* ValueForm(const std::string& option)
{
    static const std::map<std::string, const char*> kForms = {
        {"--size", "W and H from 1 to 16384, such as 800x600"},
        {"--zoom", "N or WxH, map units from 1 to 12500, such as 3000"},
        {"--center", "X,Y in map units (a file's x times 10, its y times -10), such as 1200,-3400"},
        {"--center-on", "a planet's name"},
        {"--measure", "X1,Y1,X2,Y2 in map units, such as 0,0,600,0"},
        {"--dpi", "N from 1 to 600, such as 300"},
        {"--jump", "light years, a number with at most three digits after the point, such as 25 or 12.5"},
        {"--export", "csv or json"},
        {"--near", "a planet's name"},
        {"--within", "light years above zero, with at most three digits after the point, such as 25 or 12.5"},
        {"--format", "text, json or csv"},
        {"--via", "a planet's name"},
        {"--pages", "CxR, columns and rows from 1 to 8, such as 2x2"},
        {"--scale", "light years to the inch, above 0 and at most 10000, such as 25 or 12.5"},
        {"--title", "one line of text in UTF-8, not empty, such as \"Sector 7\""},
        {"-o", "a picture file name, or - for the standard output"},
    };
    static const std::string kTypeForm = "one of " + DescribeOutputTypes() + ", without the dot";
    if (option == "--type")
        return kTypeForm.c_str();
    auto form = kForms.find(option);
    return form == kForms.end() ? "a value" : form->second;
}

// Why the two words after --route at args[at] are no planet names, or
// empty. No planet's name begins with "-": such a word is an option given
// where a name belongs.
std::string RouteNamesProblem(const std::vector<std::string>& args, size_t at)
{
    if (at + 2 >= args.size())
        return "kestrin-render: --route needs two planet names";
    for (const std::string& name : {args[at + 1], args[at + 2]})
        if (name.size() > 1 && name[0] == '-')
            return "kestrin-render: --route takes the two planet names first, FROM TO, and " + EscapeShown(name) +
                   " is an option, not a name";
    return std::string();
}

bool Drawing(const RenderOptions& o)
{
    return o.circles || o.truce || o.legend || o.print || o.zoomGiven || o.centerGiven || o.centerOn ||
           o.sizeGiven || o.dpiGiven || !o.measures.empty() || HasPictureNotes(o) || o.smooth;
}

// The output's name ends in "." + format, in any case.
bool OutputEndsIn(const RenderOptions& o, const std::string& format)
{
    const std::string ending = "." + format;
    if (o.output.size() <= ending.size())
        return false;
    std::string last = o.output.substr(o.output.size() - ending.size());
    for (char& c : last)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return last == ending;
}

// The file -o names for --export: its ending says the format's.
bool ExportTargetFits(const RenderOptions& o)
{
    return o.output.empty() || ToStandardOutput(o) || OutputEndsIn(o, o.exportFormat);
}

// Why --via and --format do not fit the route asked for, or empty. A stop
// equal to the one before it would be a stretch of no jumps: a slip.
std::string RouteDataProblem(const RenderOptions& o)
{
    if (!o.via.empty() && !o.route)
        return "--via goes with --route";
    std::vector<std::string> stops = {o.routeFrom};
    stops.insert(stops.end(), o.via.begin(), o.via.end());
    stops.push_back(o.routeTo);
    for (size_t i = 1; !o.via.empty() && i < stops.size(); ++i)
        if (stops[i] == stops[i - 1])
            return "--via " + EscapeShown(stops[i]) + " is the stop next to it; a stop is not visited twice in a row";
    const std::string command = o.route ? "--route" : "--near";
    if (WritesDataFile(o) && !ToStandardOutput(o) && !OutputEndsIn(o, o.format))
        return "-o with " + command + " names a .json or .csv file only with --format json or csv to match";
    if (WritesDataFile(o) && Drawing(o))
        return command + " with -o " + EscapeShown(o.output) + " draws no picture: the drawing options do not go with it";
    return std::string();
}

// Why the picture of --near cannot be drawn as asked, or empty.
std::string NearPictureProblem(const RenderOptions& o)
{
    if (!o.nearName || WritesDataFile(o))
        return std::string();
    if (o.output.empty() && Drawing(o))
        return "--near draws a picture only with -o: the drawing options do not go without it";
    if (!o.measures.empty())
        return "--near draws its own ring: --measure does not go with --near";
    const OutputType* type = FindOutputType(TypedOutputName(o));
    if (!o.output.empty() && type != nullptr && !type->sized)
        return "--near draws its ring on a picture: a web page (.html) does not go with --near";
    return std::string();
}

// Why --export, --near, --within and --format do not go with the rest.
std::string DataCommandProblem(const RenderOptions& o)
{
    const bool exporting = !o.exportFormat.empty();
    if (exporting && (o.check || o.route || o.nearName))
        return "--export is a command of its own: --check, --route and --near do not go with it";
    if (o.nearName && (o.check || o.route))
        return "--near is a command of its own: --check and --route do not go with it";
    if (o.nearName.has_value() != o.within.has_value())
        return "--near and --within go together";
    if (!o.format.empty() && !o.nearName && !o.route)
        return "--format goes with --near or --route";
    if (std::string route = RouteDataProblem(o); !route.empty())
        return route;
    if (exporting && Drawing(o))
        return "--export draws no picture: the drawing options do not go with it";
    if (std::string near = NearPictureProblem(o); !near.empty())
        return near;
    if (exporting && !ExportTargetFits(o))
        return "-o with --export " + o.exportFormat + " names a ." + o.exportFormat + " file";
    return std::string();
}

// Why the options do not make one command together, or empty.
std::string CombinationProblem(const RenderOptions& o)
{
    const std::string prefix = "kestrin-render: ";
    if (std::string data = DataCommandProblem(o); !data.empty())
        return prefix + data;
    if (o.check && (o.route || (!o.output.empty() && !ToStandardOutput(o))))
        return prefix + "--check writes no picture and finds no route";
    if (!o.type.empty() && !PictureToStandardOutput(o))
        return prefix + "--type picks the type of a picture written to the standard output (-o -); "
                        "a file's ending picks its own";
    if (o.json && !o.check)
        return prefix + "--json goes with --check";
    if (o.route != o.jump.has_value() && !o.nearName)
        return prefix + "--route and --jump go together";
    if (o.centerOn && o.centerGiven)
        return prefix + "--center and --center-on do not go together: give a point or a planet";
    if (std::string poster = PosterProblem(o); !poster.empty())
        return prefix + poster;
    if (o.route && !o.measures.empty())
        return prefix + "a route draws its own measure lines: --measure does not go with --route";
    if (o.input.empty() || (o.output.empty() && !o.check && !o.route && !o.nearName && o.exportFormat.empty()))
        return kRenderUsage;
    if (o.nearName || !o.exportFormat.empty() || WritesDataFile(o))
        return std::string();
    if (std::string notes = PictureNotesProblem(o); !notes.empty())
        return prefix + notes;
    if (std::string unsized = UnsizedTypeProblem(TypedOutputName(o), o.sizeGiven || o.print || o.dpiGiven);
        !unsized.empty())
        return prefix + unsized;
    return std::string();
}

} // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error)
{
    RenderOptions o;
    const std::map<std::string, ValueHandler> valued = ValuedOptions(o);
    const std::map<std::string, bool*> flags = {{"--circles", &o.circles}, {"--truce", &o.truce},
                                                {"--legend", &o.legend},   {"--print", &o.print},
                                                {"--check", &o.check},     {"--json", &o.json},
                                                {"--scale-bar", &o.scaleBar}, {"--smooth", &o.smooth}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "--version") {
            (arg == "--help" ? o.help : o.version) = true;
            return o;
        }
        if (auto f = flags.find(arg); f != flags.end()) {
            *f->second = true;
        } else if (arg == "--route") {
            error = RouteNamesProblem(args, i);
            if (!error.empty())
                return std::nullopt;
            o.route = true;
            o.routeFrom = args[i + 1];
            o.routeTo = args[i + 2];
            i += 2;
        } else if (auto h = valued.find(arg); h != valued.end()) {
            if (i + 1 >= args.size() || !h->second(args[i + 1])) {
                error = "kestrin-render: bad or missing value for " + arg + "; expected " + ValueForm(arg);
                return std::nullopt;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "kestrin-render: unknown option " + EscapeShown(arg);
            return std::nullopt;
        } else if (o.input.empty()) {
            o.input = arg;
        } else {
            error = "kestrin-render: more than one data file given";
            return std::nullopt;
        }
    }
    error = CombinationProblem(o);
    if (!error.empty())
        return std::nullopt;
    o.centerGiven = o.centerGiven || o.centerOn.has_value();
    return o;
}

bool WritesDataFile(const RenderOptions& o)
{
    return (o.route || o.nearName) &&
           (OutputEndsIn(o, "json") || OutputEndsIn(o, "csv") || (ToStandardOutput(o) && !o.format.empty()));
}

bool ToStandardOutput(const RenderOptions& o)
{
    return o.output == "-";
}

bool PictureToStandardOutput(const RenderOptions& o)
{
    return ToStandardOutput(o) && !o.check && o.exportFormat.empty() && !WritesDataFile(o);
}

std::string TypedOutputName(const RenderOptions& o)
{
    return ToStandardOutput(o) ? "-." + (o.type.empty() ? std::string("png") : o.type) : o.output;
}

bool AsksForHelpOrVersion(const std::vector<std::string>& args)
{
    std::string error;
    std::optional<RenderOptions> o = ParseRenderOptions(args, error);
    return o && (o->help || o->version);
}
