// SPDX-License-Identifier: MIT
#include "InventedNames.h"

#include <iterator>

namespace {

// Invented for these maps; no list of real places went into them.
const char* const kSyllables[] = {
    "ka",  "vel", "dra", "mon", "thi", "ros", "ul",  "bes", "nor", "qua", "zen", "fir", "gal", "hesh",
    "ix",  "jor", "lun", "mab", "nek", "ost", "pra", "rin", "sel", "tov", "ura", "vik", "wen", "yss",
    "zor", "cal", "dun", "eth", "fen", "gro", "hal", "isk", "jen", "kor", "lim", "mur", "nal", "ob",
    "pel", "quin", "rav", "sut", "tar", "ung", "vos", "wyr", "xa",  "yor", "zil", "ae",  "bri", "cor",
    "del", "esh", "fal", "gim", "hor", "ith", "kel", "lor", "mi",  "nu",  "op",  "ryn", "sa",  "tem",
};
// Frequent second and third words, as real maps repeat a few epithets.
const char* const kEpithets[] = {"Vael", "Dornik", "Sarrow", "Ithmar", "Qell", "Brannos",
                                 "Tesk", "Ulvenna", "Morrak", "Zhen", "Pyrrit", "Osk"};

} // namespace

std::string CInventedNames::Word()
{
    // One syllable now and then, mostly two or three, sometimes four.
    static const int kSyllableCounts[] = {1, 2, 2, 2, 2, 3, 3, 4};
    int syllables = kSyllableCounts[m_random.Below(std::size(kSyllableCounts))];
    std::string word;
    for (int i = 0; i < syllables; ++i)
        word += kSyllables[m_random.Below(std::size(kSyllables))];
    word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::string CInventedNames::Name()
{
    int roll = m_random.Below(100);
    int words = roll < 56 ? 1 : roll < 90 ? 2 : 3;
    std::string name = Word();
    for (int i = 1; i < words; ++i)
        name += ' ' + (m_random.Percent(30) ? std::string(kEpithets[m_random.Below(std::size(kEpithets))]) : Word());
    return name;
}

std::string CInventedNames::Fresh()
{
    std::string name;
    do {
        name = Name();
    } while (!m_seen.insert(name).second);
    m_given.push_back(name);
    return name;
}

std::string CInventedNames::Reused(int reusePercent)
{
    if (!m_given.empty() && m_random.Percent(reusePercent))
        return m_given[static_cast<std::size_t>(m_random.Below(static_cast<int>(m_given.size())))];
    return Fresh();
}

std::string CInventedNames::OfLength(std::size_t length)
{
    std::string name = Word();
    while (name.size() < length)
        name += ' ' + Word();
    name.resize(length);
    if (name.back() == ' ')
        name.back() = 'a';
    return name;
}
