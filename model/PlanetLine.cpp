#include "PlanetLine.h"

#include <cstdint>
#include <limits>

namespace {

using Cause = CLoadDiagnostic::Cause;

bool IsDelimiter(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Walks the tokens of a NUL-terminated piece.
class Tokens {
public:
    explicit Tokens(const char* text) : m_p(text) {}
    bool Next(const char*& token, int& length)
    {
        while (*m_p != '\0' && IsDelimiter(*m_p))
            ++m_p;
        if (*m_p == '\0')
            return false;
        token = m_p;
        while (*m_p != '\0' && !IsDelimiter(*m_p))
            ++m_p;
        length = static_cast<int>(m_p - token);
        return true;
    }

private:
    const char* m_p;
};

bool IsNameWord(const char* token)
{
    return !(*token >= '0' && *token <= '9') && *token != '-';
}

} // namespace

bool ParseCoordinate(const char* token, int length, long long& value, int* used)
{
    int i = 0;
    bool negative = false;
    if (i < length && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    const int digitsFrom = i;
    constexpr long long kLimit = std::numeric_limits<std::int32_t>::max() / 10;
    long long magnitude = 0;
    for (; i < length && token[i] >= '0' && token[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > kLimit)
            return false;
    }
    value = negative ? -magnitude : magnitude;
    if (used != nullptr)
        *used = i > digitsFrom ? i : 0;
    return true;
}

CLoadDiagnostic::Cause ParsePlanetLine(const char* piece, CPlanet& planet, CCoordinateTokens* coordinates)
{
    CCoordinateTokens unused;
    if (coordinates == nullptr)
        coordinates = &unused;
    Tokens tokens(piece);
    const char* token;
    int length;
    if (!tokens.Next(token, length))
        return Cause::BlankLine;
    while (IsNameWord(token)) {
        planet.m_strName.append(token, length);
        if (!tokens.Next(token, length))
            return Cause::NameWithoutCoordinates;
        if (IsNameWord(token))
            planet.m_strName.push_back(' ');
    }
    long long x = 0, y = 0;
    coordinates->x = std::string_view(token, std::size_t(length));
    if (!ParseCoordinate(token, length, x))
        return Cause::CoordinateOutOfRange;
    if (!tokens.Next(token, length))
        return Cause::NoYCoordinate;
    coordinates->y = std::string_view(token, std::size_t(length));
    if (!ParseCoordinate(token, length, y))
        return Cause::CoordinateOutOfRange;
    if (!tokens.Next(token, length))
        return Cause::NoFactionCode;
    planet.m_x = static_cast<std::int32_t>(x * 10);
    planet.m_y = static_cast<std::int32_t>(y * -10);
    planet.m_strFaction.assign(token, length);
    return Cause::None;
}
