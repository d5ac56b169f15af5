// SPDX-License-Identifier: MIT
#pragma once

// The picture kestrin-render writes: the map as the view would show it on
// a screen of the picture's size (without scroll bars), as an image or as
// SVG vector graphics through the same drawing calls; or with --print the
// printed page, through the view's own print job: a PDF file through the
// PDF writer, an SVG file as one page of vector graphics, any other type
// as an image page of eight by ten inches at the chosen resolution. Both
// go through the same mapping and drawing as File Print. An .html output is
// the interactive web page instead (WebPage.h). The file is written
// through COutputFile: a failure leaves whatever stood at the output as it
// was. With -o - the same bytes go to the standard output instead, the
// type named by --type.

#include "RenderOptions.h"

#include "platform/surface/Mapping.h"
#include "platform/surface/Types.h"

#include <functional>
#include <ostream>
#include <string>

class CDC;
class CStarMap;

// Drawn over the map, before the legend, on the surface that drew it (its
// mapping the map's: mapping, on a picture of area device pixels); printed
// tells the black-on-white page from the screen picture.
using MapOverlay = std::function<void(CDC& dc, const CMapping& mapping, CSize area, bool printed)>;

// Writes the picture of map to o.output, or to out for -o -, with overlay
// over the map when one is given; on failure sets reason.
bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::ostream& out, std::string& reason,
                     const MapOverlay& overlay = MapOverlay());
