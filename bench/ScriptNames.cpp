// SPDX-License-Identifier: MIT
#include "ScriptNames.h"

#include "platform/surface/TextEncoding.h"

#include <iterator>
#include <string_view>
#include <vector>

namespace {

template <std::size_t N>
char32_t Pick(CBenchRandom& random, const char32_t (&from)[N])
{
    return from[random.Below(int(N))];
}

// Capitals first: the ones fonts kern against a space or a neighbour are
// over-represented on purpose.
constexpr char32_t kLatinCapitals[] = {U'A', U'T', U'Y', U'V', U'W', U'L', U'P', U'F', U'K', U'M', U'R', U'O', U'J'};
constexpr char32_t kLatinSmall[] = {U'a', U'e', U'o', U'y', U'v', U'w', U'r', U'n', U't', U'l', U'i', U'j',
                                    U'f', U'k', U's', U'g', U'q', U'm', U'd', U'u', U'c', U'x', U'z'};
constexpr char32_t kLatinBetween[] = {U'-', U'\'', U'.', U'7', U'0', U'1', U'(', U')', U',', U'/'};
constexpr char32_t kAccentedCapitals[] = {0xC5, 0xC9, 0xD6, 0xD8, 0xDC, 0xC7, 0x141, 0x160, 0x17D, 0x15E, 0xC0, 0x102};
constexpr char32_t kAccentedSmall[] = {0xE9, 0xE8, 0xFC, 0xF1, 0xF8, 0xE5, 0xDF, 0xE7, 0x151, 0x17E,
                                       0x142, 0x107, 0x11F, 0x131, 0xFF, 0xEA, 0xEE, 0xF4, 0x105};
constexpr char32_t kGreekCapitals[] = {0x391, 0x394, 0x39B, 0x3A4, 0x3A5, 0x391, 0x3A4, 0x3A5, 0x392, 0x393,
                                       0x398, 0x39A, 0x39C, 0x3A0, 0x3A1, 0x3A3, 0x3A6, 0x3A8, 0x3A9, 0x386, 0x38E};
constexpr char32_t kGreekSmall[] = {0x3B1, 0x3B2, 0x3B3, 0x3B4, 0x3B5, 0x3B7, 0x3B8, 0x3B9, 0x3BA, 0x3BB,
                                    0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3C1, 0x3C3, 0x3C4, 0x3C5, 0x3C6, 0x3C7,
                                    0x3C9, 0x3AC, 0x3AD, 0x3AE, 0x3AF, 0x3CC, 0x3CD, 0x3CE, 0x3CA};
constexpr char32_t kCyrillicCapitals[] = {0x410, 0x422, 0x423, 0x414, 0x41B, 0x413, 0x41D, 0x41C, 0x41F,
                                          0x420, 0x421, 0x424, 0x427, 0x42F, 0x416, 0x401, 0x406};
constexpr char32_t kCyrillicSmall[] = {0x430, 0x431, 0x432, 0x433, 0x434, 0x435, 0x436, 0x437, 0x438, 0x439,
                                       0x43A, 0x43B, 0x43C, 0x43D, 0x43E, 0x43F, 0x440, 0x441, 0x442, 0x443,
                                       0x444, 0x445, 0x447, 0x448, 0x44B, 0x44C, 0x44F, 0x451, 0x457, 0x454};
constexpr char32_t kMarks[] = {0x300, 0x301, 0x302, 0x303, 0x304, 0x306, 0x307, 0x308, 0x30A, 0x30B,
                               0x30C, 0x323, 0x327, 0x328, 0x331, 0x335, 0x338, 0x342, 0x345, 0x483};
constexpr char32_t kKana[] = {0x3042, 0x304B, 0x3055, 0x305F, 0x306A, 0x307E, 0x3084, 0x3089, 0x30A2,
                              0x30AB, 0x30B5, 0x30BF, 0x30CA, 0x30DE, 0x30E4, 0x30E9, 0x30FC, 0x3001};
constexpr char32_t kPictographs[] = {0x1F30D, 0x1F680, 0x2B50, 0x2604, 0x1F311, 0x1F315, 0x1FA90, 0x2728,
                                     0x1F6F8, 0x1F30C, 0x2600, 0x263F, 0x1F525, 0x1F48E, 0x1F47E, 0x2693};
// Bytes of Windows-1252 above 0x7F, the soft hyphen and the unassigned
// ones among them.
constexpr char32_t kHighBytes[] = {0x80, 0x81, 0x83, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x96, 0x97, 0x99,
                                   0x9A, 0x9C, 0x9D, 0x9F, 0xA0, 0xA9, 0xAD, 0xAE, 0xB0, 0xBF, 0xC4, 0xC5,
                                   0xC9, 0xD0, 0xD6, 0xD7, 0xDE, 0xDF, 0xE0, 0xE9, 0xF0, 0xF7, 0xFD, 0xFF};

std::string Letters(CBenchRandom& random, char32_t capital, const char32_t* small, int smallCount, int length)
{
    std::string word;
    AppendUtf8(word, capital);
    for (int i = 1; i < length; ++i)
        AppendUtf8(word, small[random.Below(smallCount)]);
    return word;
}

} // namespace

const char* ScriptKindName(ScriptKind kind)
{
    switch (kind) {
    case ScriptKind::Latin: return "Latin";
    case ScriptKind::Accented: return "accented";
    case ScriptKind::Greek: return "Greek";
    case ScriptKind::Cyrillic: return "Cyrillic";
    case ScriptKind::Mixed: return "mixed-script";
    case ScriptKind::Cjk: return "CJK";
    case ScriptKind::Emoji: return "emoji";
    case ScriptKind::Combining: return "combining";
    case ScriptKind::SoftHyphen: return "soft hyphen";
    case ScriptKind::Windows1252: return "Windows-1252";
    }
    return "?";
}

std::string CScriptNames::Word(ScriptKind kind)
{
    CBenchRandom& r = m_random;
    const int length = 2 + r.Below(7);
    switch (kind) {
    case ScriptKind::Latin: {
        std::string word = Letters(r, Pick(r, kLatinCapitals), kLatinSmall, int(std::size(kLatinSmall)), length);
        if (r.Percent(20))
            AppendUtf8(word, Pick(r, kLatinBetween));
        return word;
    }
    case ScriptKind::Accented: {
        std::string word = Letters(r, Pick(r, kAccentedCapitals), kAccentedSmall, int(std::size(kAccentedSmall)),
                                   length);
        AppendUtf8(word, Pick(r, kLatinSmall));
        return word;
    }
    case ScriptKind::Greek:
        return Letters(r, Pick(r, kGreekCapitals), kGreekSmall, int(std::size(kGreekSmall)), length);
    case ScriptKind::Cyrillic:
        return Letters(r, Pick(r, kCyrillicCapitals), kCyrillicSmall, int(std::size(kCyrillicSmall)), length);
    case ScriptKind::Mixed: {
        static constexpr ScriptKind kParts[] = {ScriptKind::Latin, ScriptKind::Greek, ScriptKind::Cyrillic,
                                                ScriptKind::Accented};
        std::string word = Word(kParts[r.Below(4)]);
        if (r.Percent(25)) {  // two scripts within one word, or a number
            AppendUtf8(word, Pick(r, kLatinBetween));
            word += Word(kParts[r.Below(4)]);
        }
        return word;
    }
    case ScriptKind::Cjk: {
        std::string word;
        for (int i = 0; i < 1 + length / 2; ++i)
            AppendUtf8(word, r.Percent(60) ? char32_t(0x4E00 + r.Below(0x5000)) : Pick(r, kKana));
        return word;
    }
    case ScriptKind::Emoji: {
        std::string word = r.Percent(50) ? Word(ScriptKind::Latin) : std::string();
        AppendUtf8(word, Pick(r, kPictographs));
        if (r.Percent(30))
            AppendUtf8(word, 0xFE0F);
        if (r.Percent(20)) {  // a joined sequence
            AppendUtf8(word, 0x200D);
            AppendUtf8(word, Pick(r, kPictographs));
        }
        if (r.Percent(15)) {  // a flag of regional indicators
            AppendUtf8(word, char32_t(0x1F1E6 + r.Below(26)));
            AppendUtf8(word, char32_t(0x1F1E6 + r.Below(26)));
        }
        return word;
    }
    case ScriptKind::Combining: {
        static constexpr ScriptKind kBases[] = {ScriptKind::Latin, ScriptKind::Greek, ScriptKind::Cyrillic};
        std::string word = Word(kBases[r.Below(3)]);
        const int marks = 1 + r.Below(3);
        for (int i = 0; i < marks; ++i)
            AppendUtf8(word, Pick(r, kMarks));
        if (r.Percent(50))
            word += Word(ScriptKind::Latin).substr(1);
        return word;
    }
    case ScriptKind::SoftHyphen: {
        std::string word = Word(r.Percent(50) ? ScriptKind::Latin : ScriptKind::Accented);
        AppendUtf8(word, 0xAD);
        if (r.Percent(50))
            word += Word(ScriptKind::Latin).substr(1);
        return word;
    }
    case ScriptKind::Windows1252: {
        std::string word(1, char(Pick(r, kLatinCapitals)));
        for (int i = 1; i < length; ++i)
            word += char(r.Percent(40) ? Pick(r, kHighBytes) : Pick(r, kLatinSmall));
        if (r.Percent(30))
            word += char(0xAD);
        return word;
    }
    }
    return "X";
}

std::string CScriptNames::Name(ScriptKind kind)
{
    const int roll = m_random.Below(100);
    const int words = roll < 45 ? 1 : roll < 85 ? 2 : 3;
    std::string name = Word(kind);
    for (int i = 1; i < words; ++i)
        name += ' ' + Word(kind);
    return name;
}
