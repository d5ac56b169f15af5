// SPDX-License-Identifier: MIT
#include "model/find/CaseFold.h"
#include "model/find/NameSuggestions.h"

#include "LoadedMap.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The names of the suggestions, as the map holds them.
std::vector<std::string> Names(const CStarMap& map, const std::vector<std::int16_t>& planets)
{
    std::vector<std::string> names;
    for (std::int16_t planet : planets)
        names.push_back(map.GetPlanet(planet).m_strName);
    return names;
}

std::vector<std::string> Suggest(const CStarMap& map, const std::string& typed, int limit = 12)
{
    return Names(map, CNameSuggestions(map).Suggest(typed, limit));
}

using Names_ = std::vector<std::string>;

} // namespace

TEST(NameSuggestions, FourGroupsInOrderEachNameOnceInFileOrderWithin)
{
    auto map = LoadMap("Valdon 1 1 VH\n"          // contains "aldo"
                       "Old Aldo 2 2 VH\n"        // a later word starts with it
                       "aldo 3 3 VH\n"            // starts with it, other case
                       "Galdo Aldovar 4 4 VH\n"   // inside first, then at a word start
                       "Aldo 5 5 VH\n"            // the exact name
                       "Aldoria Prime 6 6 VH\n"   // starts with it
                       "Aldo 7 7 QT\n"            // the same name again
                       "Old Aldo 8 8 VH\n"
                       "Kaldo-Aldo 9 9 VH\n");    // a hyphen starts no word
    EXPECT_EQ(Suggest(*map, "Aldo"),
              (Names_{"Aldo", "aldo", "Aldoria Prime", "Old Aldo", "Galdo Aldovar", "Valdon", "Kaldo-Aldo"}));
    // The exact name is the planet FindPlanet finds: the first of that name.
    EXPECT_EQ(CNameSuggestions(*map).Suggest("Aldo").front(), 4);
    EXPECT_EQ(Suggest(*map, "aldo").front(), "aldo");
    EXPECT_EQ(Suggest(*map, "ALDO"), (Names_{"aldo", "Aldo", "Aldoria Prime", "Old Aldo", "Galdo Aldovar", "Valdon",
                                             "Kaldo-Aldo"}));
    EXPECT_EQ(Suggest(*map, "Aldo", 3), (Names_{"Aldo", "aldo", "Aldoria Prime"}));
    EXPECT_EQ(Suggest(*map, "o A"), (Names_{"Galdo Aldovar"})) << "a match may span words";
}

TEST(NameSuggestions, NothingForEmptyOrUnmatchedText)
{
    auto map = LoadMap("Morvath 1 1 VH\nKelso 2 2 VH\n");
    EXPECT_TRUE(Suggest(*map, "").empty());
    EXPECT_TRUE(Suggest(*map, "zz").empty());
    EXPECT_TRUE(Suggest(*map, "h\nK").empty()) << "no match may run from one name into the next";
    EXPECT_TRUE(Suggest(*map, "Morvath", 0).empty());
    EXPECT_TRUE(Suggest(CStarMap(), "a").empty());
}

TEST(NameSuggestions, AtMostTwelveAndTheBetterGroupsFirst)
{
    std::ostringstream text;
    for (int i = 0; i < 20; ++i)
        text << "Old Tarn" << i << " " << i << " 0 VH\n";
    for (int i = 0; i < 20; ++i)
        text << "Tarn" << i << " " << i << " 1 VH\n";
    auto map = LoadMap(text.str());
    std::vector<std::string> names = Suggest(*map, "tarn");
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names.front(), "Tarn0");
    EXPECT_EQ(names.back(), "Tarn11");
}

TEST(NameSuggestions, CaseIsIgnoredForNonAsciiLettersInBothEncodings)
{
    // The same names as UTF-8 and as Windows-1252 bytes; the typed text is
    // UTF-8 either way.
    auto utf8 = LoadMap("\xC3\x89loria 1 1 VH\nZo\xC3\xAB Station 2 2 VH\n\xC5\xA0koda 3 3 VH\n");
    auto cp1252 = LoadMap("\xC9loria 1 1 VH\nZo\xEB Station 2 2 VH\n\x8Akoda 3 3 VH\n");
    ASSERT_EQ(cp1252->GetTextEncoding(), CTextEncoding::Windows1252);
    for (const CStarMap* map : {utf8.get(), cp1252.get()}) {
        EXPECT_EQ(CNameSuggestions(*map).Suggest("\xC3\xA9lo"), (std::vector<std::int16_t>{0})) << "\xC3\xA9 finds \xC3\x89";
        EXPECT_EQ(CNameSuggestions(*map).Suggest("ZO\xC3\x8B"), (std::vector<std::int16_t>{1}));
        EXPECT_EQ(CNameSuggestions(*map).Suggest("\xC5\xA1K"), (std::vector<std::int16_t>{2}));
        EXPECT_TRUE(CNameSuggestions(*map).Suggest("eloria").empty()) << "accents are not case";
    }
    // The exact name is exact in the map's own bytes.
    EXPECT_EQ(Suggest(*cp1252, "Zo\xC3\xAB Station"), (Names_{"Zo\xEB Station"}));
    auto cyrillic = LoadMap("\xD0\x9C\xD0\xBE\xD1\x80\xD0\xB2\xD0\xB0 1 1 VH\n");  // Морва
    EXPECT_EQ(Suggest(*cyrillic, "\xD0\xBC\xD0\x9E\xD0\xA0").size(), 1u);          // мОР
}

TEST(CaseFold, CapitalsMeetTheirSmallLettersAndNothingElseMoves)
{
    EXPECT_EQ(FoldCase("Morvath \xC3\x84\xC3\x96\xC3\x9C \xC3\x9F"), "morvath \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F");
    EXPECT_EQ(FoldCase(U'\u00D7'), U'\u00D7') << "the multiplication sign has no small form";
    EXPECT_EQ(FoldCase(U'\u0178'), U'\u00FF');
    EXPECT_EQ(FoldCase(U'\u0139'), U'\u013A');
    EXPECT_EQ(FoldCase(U'\u013A'), U'\u013A');
    EXPECT_EQ(FoldCase(U'\u0393'), U'\u03B3');
    EXPECT_EQ(FoldCase(U'\u03C2'), U'\u03C3') << "final sigma";
    EXPECT_EQ(FoldCase(U'\u0401'), U'\u0451');
    EXPECT_EQ(FoldCase(U'\u1EA0'), U'\u1EA1');
    EXPECT_EQ(FoldCase(U'\U0001F680'), U'\U0001F680');
    EXPECT_EQ(FoldCase("\xF0\x9F\x9A\x80\xE2\x82\xAC"), "\xF0\x9F\x9A\x80\xE2\x82\xAC");
}
