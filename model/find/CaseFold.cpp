// SPDX-License-Identifier: MIT
#include "CaseFold.h"

#include "platform/surface/TextEncoding.h"

namespace {

// Blocks where capitals and small letters alternate, the capital first on
// an even or an odd code point.
struct Alternating {
    char32_t first;
    char32_t last;
    bool capitalEven;
};

constexpr Alternating kAlternating[] = {
    {0x0100, 0x012F, true},  {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true},  {0x0179, 0x017E, false}, {0x0460, 0x0481, true},
    {0x048A, 0x04BF, true},  {0x1E00, 0x1E95, true},  {0x1EA0, 0x1EFF, true},
};

// Blocks whose capitals sit a fixed distance below their small letters.
struct Shifted {
    char32_t first;
    char32_t last;
    char32_t by;
};

constexpr Shifted kShifted[] = {
    {'A', 'Z', 0x20},        {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20},
    {0x0388, 0x038A, 0x25},  {0x038E, 0x038F, 0x3F}, {0x0391, 0x03A1, 0x20},
    {0x03A3, 0x03AB, 0x20},  {0x0400, 0x040F, 0x50}, {0x0410, 0x042F, 0x20},
};

// The capitals (and the final sigma) with partners of their own.
struct Single {
    char32_t from;
    char32_t to;
};

constexpr Single kSingles[] = {
    {0x0178, 0x00FF},  // Y with diaeresis, the one capital of Windows-1252 outside Latin-1
    {0x017F, 's'},     // long s
    {0x0386, 0x03AC}, {0x038C, 0x03CC}, {0x03C2, 0x03C3}, {0x1E9E, 0x00DF},
};

} // namespace

char32_t FoldCase(char32_t c)
{
    for (const Shifted& block : kShifted)
        if (c >= block.first && c <= block.last)
            return c + block.by;
    if (c < 0x100)
        return c;
    for (const Alternating& block : kAlternating)
        if (c >= block.first && c <= block.last)
            return ((c % 2 == 0) == block.capitalEven) ? c + 1 : c;
    for (const Single& single : kSingles)
        if (c == single.from)
            return single.to;
    return c;
}

std::string FoldCase(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        unsigned char byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            // Plain ASCII is most of every name: no decoding needed.
            out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte);
            ++pos;
            continue;
        }
        AppendUtf8(out, FoldCase(DecodeUtf8(utf8, pos)));
    }
    return out;
}
