// SPDX-License-Identifier: MIT
#pragma once

// The map as one self-contained, interactive web page (UTF-8 HTML5): the
// page's code, styles and data are all inside the file, and its
// Content-Security-Policy forbids every fetch. The page's code and the map
// (WebPayload) travel in one deflated block written in base 85 (Text85),
// which the page's first script inflates with the browser's own
// DecompressionStream before it runs the code; the starting view (zoom,
// centre, the three toggles), the measure lines with their light years
// and the truce line's height are a JSON block beside it. Written through
// COutputFile like every other picture (MapPicture.h).

#include "RenderOptions.h"

#include <string>

class CStarMap;

// The page's text for map in o's view; title names the data file. Empty,
// with the reason set, when it cannot be made.
std::string WebPageText(const CStarMap& map, const RenderOptions& o, std::string& reason);

// The parts of the page, exposed for tests.
// Bytes as text, five characters to four bytes: base 85, most
// significant digit first, over the printable ASCII characters less
// < > & " ' ` \ @; a last group of n bytes is n + 1 characters.
std::string Text85(const std::string& bytes);
// Text for an HTML element's content: & < > " ' escaped, bytes that are not
// UTF-8 read as Windows-1252, control characters shown as U+FFFD.
std::string HtmlText(const std::string& text);
