// SPDX-License-Identifier: MIT
#include "ReferenceLoader.h"

#include <cstring>

namespace {

using Cause = CLoadDiagnostic::Cause;

// CR LF becomes LF, a lone CR stays, Ctrl+Z ends the text.
std::string TextMode(const std::string& bytes)
{
    std::string text;
    for (size_t i = 0; i < bytes.size() && bytes[i] != '\x1a'; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text.push_back(bytes[i]);
    }
    return text;
}

std::vector<std::string> Split(const std::string& piece)
{
    std::string text(piece.c_str());  // the text of a piece ends at a NUL
    std::vector<std::string> tokens;
    size_t start = 0;
    while ((start = text.find_first_not_of(" \t\n\r", start)) != std::string::npos) {
        size_t end = text.find_first_of(" \t\n\r", start);
        tokens.push_back(text.substr(start, end - start));
        start = end;
    }
    return tokens;
}

bool Value(const std::string& token, long long& value)
{
    size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    long long magnitude = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude * 10 > 2147483647LL)
            return false;
    }
    value = token[0] == '-' ? -magnitude : magnitude;
    return true;
}

Cause Parse(const std::string& piece, CPlanet& planet)
{
    std::vector<std::string> tokens = Split(piece);
    if (tokens.empty())
        return Cause::BlankLine;
    size_t t = 0;
    std::vector<std::string> words;
    for (; t < tokens.size() && tokens[t][0] != '-' && (tokens[t][0] < '0' || tokens[t][0] > '9'); ++t)
        words.push_back(tokens[t]);
    if (t == tokens.size())
        return Cause::NameWithoutCoordinates;
    for (size_t w = 0; w < words.size(); ++w)
        planet.m_strName += (w > 0 ? " " : "") + words[w];
    long long x = 0, y = 0;
    if (!Value(tokens[t], x))
        return Cause::CoordinateOutOfRange;
    if (t + 1 == tokens.size())
        return Cause::NoYCoordinate;
    if (!Value(tokens[t + 1], y))
        return Cause::CoordinateOutOfRange;
    if (t + 2 == tokens.size())
        return Cause::NoFactionCode;
    planet.m_x = static_cast<std::int32_t>(x * 10);
    planet.m_y = static_cast<std::int32_t>(-y * 10);
    planet.m_strFaction = tokens[t + 2];
    return Cause::None;
}

} // namespace

ReferenceResult ReferenceLoad(const std::string& bytes)
{
    ReferenceResult r;
    std::string text = TextMode(bytes);
    int line = 1;
    for (size_t start = 0; start < text.size();) {
        size_t newline = text.find('\n', start);
        size_t end = std::min(newline == std::string::npos ? text.size() : newline + 1, start + 79);
        end = std::min(end, text.size());
        std::string piece = text.substr(start, end - start);
        int pieceLine = line;
        if (piece.back() == '\n')
            ++line;
        start = end;
        if (piece[0] == ';')
            continue;
        CPlanet planet;
        Cause cause = Parse(piece, planet);
        if (cause == Cause::None && r.planets.size() >= static_cast<size_t>(CStarMap::kMaxPlanets))
            cause = Cause::TooManyPlanets;
        if (cause != Cause::None) {
            r.ok = false;
            r.cause = cause;
            r.line = pieceLine;
            return r;
        }
        r.planets.push_back(planet);
    }
    return r;
}
