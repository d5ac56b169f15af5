#pragma once

// Reading one piece of a data file as a planet line: name words, x, y,
// faction code, then anything. Tokens are runs of characters other than
// space, tab, LF and CR; a name word is a token that starts with neither a
// digit nor "-".

#include "Planet.h"
#include "StarMap.h"

// Fills planet from a piece (terminated at its first NUL) and returns
// Cause::None, or the reason the line is malformed.
CLoadDiagnostic::Cause ParsePlanetLine(const char* piece, CPlanet& planet);

// The value of a coordinate token: optional sign, then the leading digits;
// 0 without digits. False when the value times 10 leaves 32 bits.
bool ParseCoordinate(const char* token, int length, long long& value);
