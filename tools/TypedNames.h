// SPDX-License-Identifier: MIT
#pragma once

// Planet names between kestrin-render and its user. A name is shown as
// UTF-8 from the map's encoding, with every byte that stands for no
// printable character (a control character, C0, DEL or C1, or a byte that
// Windows-1252 leaves undefined, such as 0x81) written as \xHH, HH being
// the byte in the file. A name is typed back in UTF-8, and a typed \xHH
// stands for that byte, so every name shown can be typed back and found.

#include "RenderOptions.h"

#include <cstdint>
#include <ostream>
#include <string>

class CStarMap;

// The name bytes of map for the terminal.
std::string ShownName(const CStarMap& map, const std::string& bytes);
// The planet named typed, looked up exactly as Center On looks it up, the
// text taken as it is first and then with its \xHH escapes read; -1 when
// no planet has that name.
std::int16_t PlanetNamed(const CStarMap& map, const std::string& typed);
// "kestrin-render: no planet is named "X"; did you mean ...?" with the
// first three names Center On would suggest; returns the exit status 2.
int UnknownName(const CStarMap& map, const std::string& typed, std::ostream& err);

// --center-on: sets o.center to the named planet's position. False, after
// UnknownName's message, when no planet has the name; true without one.
bool CenterOnNamed(const CStarMap& map, RenderOptions& o, std::ostream& err);
