// SPDX-License-Identifier: MIT
#pragma once

// Command-line options of kestrin-render.

#include "model/map/JumpRange.h"
#include "view/MapViewport.h"

#include "platform/surface/Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
    CSize size{800, 600};
    CSize zoom{CMapViewport::kFullExtent, CMapViewport::kFullExtent};
    CPoint center{0, 0};
    bool circles = false;
    bool truce = false;
    bool legend = false;
    bool print = false;
    int dpi = 100;
    // --pages CxR: the printed page spread over C x R sheets; --scale: light
    // years to the inch of the printed page, in thousandths, instead of the
    // zoom.
    CSize pages{1, 1};
    bool pagesGiven = false;
    std::optional<std::int64_t> scale;
    std::vector<CRect> measures;  // x1, y1, x2, y2 in map units
    // A ring drawn over the map (--near's range): its square in map units.
    std::optional<CRect> ring;
    std::string output;  // empty: no picture (allowed with --route only); "-": the standard output
    // --type: the type of a picture that -o - sends to the standard output,
    // as an ending without its dot ("svg"); empty: PNG.
    std::string type;
    std::string input;
    // --zoom and --center (or --center-on) were given (a route picture
    // otherwise fits the route).
    bool zoomGiven = false;
    bool centerGiven = false;
    // --center-on NAME: the centre is that planet's position, found once the
    // map is read; the name as typed (UTF-8).
    std::optional<std::string> centerOn;
    // --size or --dpi was given (a web page takes neither).
    bool sizeGiven = false;
    bool dpiGiven = false;
    // --check: report every problem of the input instead of drawing it;
    // --json: as one JSON document.
    bool check = false;
    bool json = false;
    // --route FROM TO --jump LY: names as typed (UTF-8).
    bool route = false;
    std::string routeFrom;
    std::string routeTo;
    std::optional<CJumpRange> jump;
    // --via NAME, repeatable: the stops between FROM and TO, in order.
    std::vector<std::string> via;
    // --export csv|json: the planets as data; empty when not asked for.
    std::string exportFormat;
    // --near NAME --within LY: the planets within LY of NAME (UTF-8 as
    // typed); --format text|json|csv says how they are written.
    std::optional<std::string> nearName;
    std::optional<CJumpRange> within;
    std::string format;  // empty: not given (text)
    // --title TEXT (UTF-8 as typed), --scale-bar and --smooth: for pictures
    // meant for people (PictureNotes.h).
    std::string title;
    bool scaleBar = false;
    bool smooth = false;
    // --help or --version: the parse stops there and nothing else is needed.
    bool help = false;
    bool version = false;
};

// -o names a .json or .csv file, or is - with --format: a route's or a
// neighbourhood's answer goes there as data, and no picture is drawn.
bool WritesDataFile(const RenderOptions& o);
// -o -: the output is the standard output.
bool ToStandardOutput(const RenderOptions& o);
// -o - for a command that draws: the picture is the standard output, and
// nothing else is written there.
bool PictureToStandardOutput(const RenderOptions& o);
// The name whose ending picks the picture's type: o.output, or for -o - a
// name that ends in --type (.png when it is not given).
std::string TypedOutputName(const RenderOptions& o);

// Parses the arguments after the program name; on failure returns nothing
// and sets error to a one-line message.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error);

// True when the arguments parse and ask for --help or --version.
bool AsksForHelpOrVersion(const std::vector<std::string>& args);

// One line, for usage errors: the three forms of the command.
extern const char* const kRenderUsage;
// The usage with every option and its range, for --help.
extern const char* const kRenderHelp;
