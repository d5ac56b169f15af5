#pragma once

// Command-line options of kestrin-render.

#include "view/MapViewport.h"

#include "platform/surface/Types.h"

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
    std::vector<CRect> measures;  // x1, y1, x2, y2 in map units
    std::string output;
    std::string input;
    // --help or --version: the parse stops there and nothing else is needed.
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name; on failure returns nothing
// and sets error to a one-line message.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error);

// True when the arguments parse and ask for --help or --version.
bool AsksForHelpOrVersion(const std::vector<std::string>& args);

// One line, for usage errors.
extern const char* const kRenderUsage;
// The usage with every option and its range, for --help.
extern const char* const kRenderHelp;
