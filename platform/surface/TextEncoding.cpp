// SPDX-License-Identifier: MIT
#include "platform/surface/TextEncoding.h"

#include <array>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNone = 0;

// The characters of Windows-1252's bytes 0x80 to 0x9F; kNone where the code
// page has none.
constexpr std::array<char32_t, 32> kHigh1252 = {
    0x20AC, kNone,  0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kNone,  0x017D, kNone,
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kNone,  0x017E, 0x0178,
};

char32_t From1252(unsigned char byte)
{
    if (byte < 0x80 || byte >= 0xA0)
        return byte;
    char32_t c = kHigh1252[byte - 0x80];
    return c == kNone ? kReplacement : c;
}

std::optional<unsigned char> To1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kHigh1252.size(); ++i)
        if (kHigh1252[i] != kNone && kHigh1252[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// What a byte starts in UTF-8: the length of its sequence (0 when it
// cannot start one), the bits it contributes, and the range of the first
// continuation byte, narrowed for a few leads so that overlong forms,
// surrogates and values above U+10FFFF are refused.
struct Lead {
    int length;
    char32_t bits;
    unsigned char low = 0x80, high = 0xBF;
};

Lead LeadOf(unsigned char b)
{
    if (b < 0x80)
        return {1, b};
    if (b >= 0xC2 && b <= 0xDF)
        return {2, char32_t(b & 0x1F)};
    if (b >= 0xE0 && b <= 0xEF)
        return {3, char32_t(b & 0x0F), static_cast<unsigned char>(b == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(b == 0xED ? 0x9F : 0xBF)};
    if (b >= 0xF0 && b <= 0xF4)
        return {4, char32_t(b & 0x07), static_cast<unsigned char>(b == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(b == 0xF4 ? 0x8F : 0xBF)};
    return {0, 0};
}

} // namespace

namespace {

// How many bytes from the start of bytes are below 0x80; a file's text is
// mostly such bytes, so they are skipped eight at a time.
std::size_t AsciiRun(const unsigned char* bytes, std::size_t size)
{
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= size; i += 8) {
        std::memcpy(&word, bytes + i, 8);
        if ((word & 0x8080808080808080u) != 0)
            break;
    }
    while (i < size && bytes[i] < 0x80)
        ++i;
    return i;
}

} // namespace

void CUtf8Check::Feed(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size() && !m_broken; ++i) {
        if (m_pending == 0) {
            i += AsciiRun(bytes + i, text.size() - i);
            if (i == text.size())
                return;
        }
        unsigned char byte = bytes[i];
        if (m_pending > 0) {
            m_broken = byte < m_low || byte > m_high;
            --m_pending;
            m_low = 0x80, m_high = 0xBF;
            continue;
        }
        Lead lead = LeadOf(byte);
        m_broken = lead.length == 0;
        m_pending = lead.length > 0 ? lead.length - 1 : 0;
        m_low = lead.low, m_high = lead.high;
    }
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const Lead lead = LeadOf(static_cast<unsigned char>(text[i]));
    if (lead.length == 0 || text.size() - i < std::size_t(lead.length))
        return 0;
    for (int k = 1; k < lead.length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if (byte < (k == 1 ? lead.low : 0x80) || byte > (k == 1 ? lead.high : 0xBF))
            return 0;
    }
    return std::size_t(lead.length);
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    Lead lead = LeadOf(static_cast<unsigned char>(text[pos++]));
    if (lead.length == 0)
        return kReplacement;
    char32_t c = lead.bits;
    for (int i = 1; i < lead.length; ++i) {
        unsigned char low = i == 1 ? lead.low : 0x80, high = i == 1 ? lead.high : 0xBF;
        if (pos >= text.size())
            return kReplacement;
        unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (byte < low || byte > high)
            return kReplacement;
        c = (c << 6) | (byte & 0x3F);
        ++pos;
    }
    return c;
}

CTextEncoding EncodingOf(const CUtf8Check& check)
{
    return check.Valid() ? CTextEncoding::Utf8 : CTextEncoding::Windows1252;
}

std::string ToUtf8(std::string_view text, CTextEncoding encoding)
{
    std::string out;
    out.reserve(text.size());
    if (encoding == CTextEncoding::Windows1252) {
        for (char byte : text)
            AppendUtf8(out, From1252(static_cast<unsigned char>(byte)));
        return out;
    }
    for (std::size_t pos = 0; pos < text.size();)
        AppendUtf8(out, DecodeUtf8(text, pos));
    return out;
}

void ToCharacters(std::string_view text, CTextEncoding encoding, std::vector<char32_t>& out)
{
    out.clear();
    if (encoding == CTextEncoding::Windows1252) {
        for (char byte : text)
            out.push_back(From1252(static_cast<unsigned char>(byte)));
        return;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            out.push_back(byte);  // the common case, without the decoder
            ++pos;
        } else {
            out.push_back(DecodeUtf8(text, pos));
        }
    }
}

std::optional<std::string> FromUtf8(std::string_view utf8, CTextEncoding encoding)
{
    CUtf8Check check;
    check.Feed(utf8);
    if (!check.Valid())
        return std::nullopt;
    if (encoding == CTextEncoding::Utf8)
        return std::string(utf8);
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::optional<unsigned char> byte = To1252(DecodeUtf8(utf8, pos));
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}
