// SPDX-License-Identifier: MIT
#pragma once

// What the commands that find planets by name (--route, --near) share:
// their start and their end.
//
// The start checks the output before anything is read (a picture's
// target, or the data file -o names), loads the map as the viewer loads
// it (a load that stops part-way says where on err, and the planets above
// the bad line are the map), and finds each name in it as TypedNames.h
// has it, --center-on's too. The end writes the answer, then the picture
// when -o names one: a picture without the figures is no success, and a
// picture on the standard output is all that goes there.

#include "MapPicture.h"
#include "RenderOptions.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class CStarMap;

struct NamedPlanets {
    std::vector<std::int16_t> planets;  // in the order of the names
    RenderOptions options;              // the command's, --center-on's centre set
};

// -o names a picture (not a .json or .csv answer).
bool DrawsPicture(const RenderOptions& o);

// Loads o.input into map and finds names there. False, after one line on
// err, when the output cannot be written, the map cannot be read, a name
// is no planet's (with suggestions), or, among more than two names, one
// is the planet of the name before it: the exit status is then 2.
bool LoadNamedPlanets(const RenderOptions& o, const std::vector<std::string>& names, CStarMap& map,
                      NamedPlanets& named, std::ostream& err);

// Writes answer to the standard output or to -o's data file, then, when
// o draws one, the picture of map at picture's view, with overlay over the
// map. Returns the exit status: 0, or 2 after one line on err.
int WriteAnswerAndPicture(CStarMap& map, const RenderOptions& o, const std::string& answer,
                          const RenderOptions& picture, std::ostream& out, std::ostream& err,
                          const MapOverlay& overlay = MapOverlay());
