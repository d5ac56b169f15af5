// SPDX-License-Identifier: MIT
#include "PlanetLine.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {

using Cause = CLoadDiagnostic::Cause;

constexpr bool IsDelimiter(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// What each byte is to the token walk: part of a token, a delimiter, or
// the NUL that ends the piece. Made from IsDelimiter, so the walk reads
// one table entry a byte.
enum ByteKind : unsigned char { kTokenByte, kDelimiterByte, kEndByte };

constexpr std::array<ByteKind, 256> MakeByteKinds()
{
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[std::size_t(c)] = c == 0 ? kEndByte : IsDelimiter(static_cast<char>(c)) ? kDelimiterByte : kTokenByte;
    return kinds;
}

constexpr std::array<ByteKind, 256> kByteKinds = MakeByteKinds();

ByteKind KindOf(const char* p)
{
    return kByteKinds[static_cast<unsigned char>(*p)];
}

// Walks the tokens of a NUL-terminated piece.
class Tokens {
public:
    explicit Tokens(const char* text) : m_p(text) {}
    bool Next(const char*& token, int& length)
    {
        // A local pointer, so that the walk stays in a register.
        const char* p = m_p;
        while (KindOf(p) == kDelimiterByte)
            ++p;
        const char* from = p;
        while (KindOf(p) == kTokenByte)
            ++p;
        m_p = p;
        if (p == from)
            return false;
        token = from;
        length = static_cast<int>(p - from);
        return true;
    }

private:
    const char* m_p;
};

bool IsNameWord(const char* token)
{
    return !(*token >= '0' && *token <= '9') && *token != '-';
}

// Where a line's name words stand in its piece: from the first word's
// start to the last one's end, the length of the name they make, and
// whether they are apart by single spaces, so that the text between is
// the name as it stands.
struct NameWords {
    const char* from = nullptr;
    const char* to = nullptr;
    std::size_t length = 0;
    bool asWritten = true;

    void Add(const char* token, int tokenLength)
    {
        if (from == nullptr) {
            from = token;
        } else {
            asWritten = asWritten && token == to + 1 && *to == ' ';
            ++length;
        }
        length += std::size_t(tokenLength);
        to = token + tokenLength;
    }
};

// Appends the words joined by single spaces, given their storage once.
void AppendName(std::string& name, const NameWords& words)
{
    if (words.from == nullptr)
        return;
    if (words.asWritten) {
        name.append(words.from, std::size_t(words.to - words.from));
        return;
    }
    name.reserve(name.size() + words.length);
    Tokens tokens(words.from);
    const char* token;
    int length;
    for (bool first = true; tokens.Next(token, length) && token < words.to; first = false) {
        if (!first)
            name.push_back(' ');
        name.append(token, std::size_t(length));
    }
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
    NameWords name;
    while (IsNameWord(token)) {
        name.Add(token, length);
        if (!tokens.Next(token, length)) {
            AppendName(planet.m_strName, name);
            return Cause::NameWithoutCoordinates;
        }
    }
    AppendName(planet.m_strName, name);
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
