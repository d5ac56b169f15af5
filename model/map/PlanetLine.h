// SPDX-License-Identifier: MIT
#pragma once

// Reading one piece of a data file as a planet line: name words, x, y,
// faction code, then anything. Tokens are runs of characters other than
// space, tab, LF and CR; a name word is a token that starts with neither a
// digit nor "-".

#include "Planet.h"
#include "StarMap.h"

#include <string_view>

// The coordinate tokens of a line as they stand in its piece; empty where
// the line gave none.
struct CCoordinateTokens {
    std::string_view x;
    std::string_view y;
};

// Fills planet from a piece (terminated at its first NUL) and returns
// Cause::None, or the reason the line is malformed. Coordinates, when given,
// receives the coordinate tokens read before the line ended or failed.
CLoadDiagnostic::Cause ParsePlanetLine(const char* piece, CPlanet& planet, CCoordinateTokens* coordinates = nullptr);

// The value of a coordinate token: optional sign, then the leading digits;
// 0 without digits. False when the value times 10 leaves 32 bits. Used,
// when given, receives how many characters the value was read from: the
// sign and the digits, or 0 when there are no digits.
bool ParseCoordinate(const char* token, int length, long long& value, int* used = nullptr);
