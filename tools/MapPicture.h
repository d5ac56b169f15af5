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

#include <ostream>
#include <string>

class CStarMap;

// Writes the picture of map to o.output, or to out for -o -; on failure
// sets reason.
bool WriteMapPicture(CStarMap& map, const RenderOptions& o, std::ostream& out, std::string& reason);
