// SPDX-License-Identifier: MIT
#include "platform/surface/TextEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// The check, the sequence length and the decoder were once three separate
// readings of UTF-8; they must agree on every sequence: a byte string is
// well-formed exactly when it splits into whole sequences, each of which
// decodes to a character that encodes back to the same bytes.
TEST(TextEncoding, CheckLengthDecoderAndEncoderAgreeOnEverySequence)
{
    int mismatches = 0;
    auto agree = [&](const std::string& bytes) {
        CUtf8Check check;
        check.Feed(bytes);
        bool splits = true, decoded = true;
        std::string again;
        for (std::size_t i = 0; i < bytes.size() && splits;) {
            const std::size_t length = Utf8SequenceLength(bytes, i);
            std::size_t pos = i;
            const char32_t c = DecodeUtf8(bytes, pos);
            splits = length > 0;
            decoded = decoded && (splits ? pos == i + length : c == 0xFFFD && pos > i);
            AppendUtf8(again, c);
            i += length;
        }
        if ((check.Valid() != splits || !decoded || (splits && again != bytes)) && ++mismatches <= 5)
            ADD_FAILURE() << ::testing::PrintToString(bytes) << ": check " << check.Valid() << ", splits " << splits
                          << ", decoded " << decoded << " as " << ::testing::PrintToString(again);
    };
    for (int a = 0; a < 256; ++a) {
        agree(std::string(1, char(a)));
        for (int b = 0; b < 256; ++b) {
            agree({char(a), char(b)});
            if (a < 0xE0 || a > 0xF4)
                continue;
            for (int c = 0x70; c < 0xC8; ++c) {
                agree({char(a), char(b), char(c)});
                if (a >= 0xF0)
                    agree({char(a), char(b), char(c), char(0x80 + (b + c) % 0x48)});
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(TextEncoding, Utf8RoundTripsEveryCharacter)
{
    for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x800 ? 1 : 7)) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string bytes;
        AppendUtf8(bytes, c);
        std::size_t pos = 0;
        ASSERT_EQ(DecodeUtf8(bytes, pos), c) << std::hex << std::uint32_t(c);
        ASSERT_EQ(pos, bytes.size());
        ASSERT_EQ(Utf8SequenceLength(bytes, 0), bytes.size());
    }
}
