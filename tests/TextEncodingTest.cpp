#include "platform/surface/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool WellFormed(std::initializer_list<std::string> pieces)
{
    CUtf8Check check;
    for (const std::string& piece : pieces)
        check.Feed(piece);
    return check.Valid();
}

} // namespace

TEST(TextEncoding, Utf8CheckTakesWholeSequencesAcrossPieces)
{
    EXPECT_TRUE(WellFormed({}));
    EXPECT_TRUE(WellFormed({"plain ASCII"}));
    EXPECT_TRUE(WellFormed({"Z\xC3\xBCrich", "\xE2\x82\xAC", "\xF0\x9F\x9A\x80"}));
    EXPECT_TRUE(WellFormed({"Z\xC3", "\xBCrich"})) << "a character split between two pieces";
    EXPECT_TRUE(WellFormed({"\xE2", "\x82", "\xAC"}));
    EXPECT_FALSE(WellFormed({"Z\xC3"})) << "cut short at the end";
    EXPECT_FALSE(WellFormed({"Z\xFCrich"})) << "a Windows-1252 letter";
    EXPECT_FALSE(WellFormed({"\x80"}));
    EXPECT_FALSE(WellFormed({"\xC0\xAF"})) << "overlong";
    EXPECT_FALSE(WellFormed({"\xE0\x80\xAF"})) << "overlong";
    EXPECT_FALSE(WellFormed({"\xED\xA0\x80"})) << "a surrogate";
    EXPECT_FALSE(WellFormed({"\xF4\x90\x80\x80"})) << "beyond U+10FFFF";
    EXPECT_FALSE(WellFormed({"\xC3\xBC", "\xBC"})) << "a continuation byte alone";
    EXPECT_EQ(EncodingOf(CUtf8Check()), CTextEncoding::Utf8);
}

TEST(TextEncoding, Windows1252ReadsItsOwnCharactersAndMarksTheFiveGaps)
{
    EXPECT_EQ(ToUtf8("\x80\x84\x85\x93\x94\x96\x97\x99", CTextEncoding::Windows1252),
              "\xE2\x82\xAC\xE2\x80\x9E\xE2\x80\xA6\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x93\xE2\x80\x94\xE2\x84\xA2");
    EXPECT_EQ(ToUtf8("Z\xFCrich \xE9", CTextEncoding::Windows1252), "Z\xC3\xBCrich \xC3\xA9");
    EXPECT_EQ(ToUtf8("\x9F\xA0\xFF", CTextEncoding::Windows1252), "\xC5\xB8\xC2\xA0\xC3\xBF");
    for (char gap : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        EXPECT_EQ(ToUtf8(std::string(1, gap), CTextEncoding::Windows1252), "\xEF\xBF\xBD");
    // Every byte with a character comes back from its UTF-8 form.
    for (int b = 1; b < 256; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string utf8 = ToUtf8(byte, CTextEncoding::Windows1252);
        if (utf8 == "\xEF\xBF\xBD")
            continue;
        EXPECT_EQ(FromUtf8(utf8, CTextEncoding::Windows1252), byte) << b;
    }
}

TEST(TextEncoding, TypedTextTakesTheMapsFormOrNone)
{
    EXPECT_EQ(FromUtf8("Z\xC3\xBCrich", CTextEncoding::Utf8), "Z\xC3\xBCrich");
    EXPECT_EQ(FromUtf8("Z\xC3\xBCrich", CTextEncoding::Windows1252), "Z\xFCrich");
    EXPECT_EQ(FromUtf8("\xE2\x82\xAC 5", CTextEncoding::Windows1252), "\x80 5");
    EXPECT_EQ(FromUtf8("", CTextEncoding::Windows1252), "");
    // Greek omega, a C1 control and a character outside the first plane
    // have no byte in Windows-1252.
    for (const char* none : {"\xCE\xA9", "\xC2\x81", "\xF0\x9F\x9A\x80"})
        EXPECT_EQ(FromUtf8(none, CTextEncoding::Windows1252), std::nullopt) << none;
    EXPECT_EQ(FromUtf8("Z\xFCrich", CTextEncoding::Utf8), std::nullopt) << "not UTF-8 at all";
    // A malformed sequence reads as one replacement character per broken
    // start, and the bytes after it are kept.
    EXPECT_EQ(ToUtf8("a\xE2\x82z\xC3", CTextEncoding::Utf8), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
}
