// SPDX-License-Identifier: MIT
// The rules that let any file name pass through the settings file and the
// recent-file menu, and the command line's switches and file names: pure
// functions, checked without a window.

#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/MessageText.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/Settings.h"
#include "platform/surface/TextEscape.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(StoredText, EveryByteComesBackAndTheLineStaysOneLineOfUtf8)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::vector<std::string> cases = {
        all, " lead", "trail ", "  ", "a\nb", "[Settings]", "x=y;z#", "back\\slash\\", "\\x41 stays", "\\",
        "Z\xc3\xbcrich", "\xc3", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80", std::string("nul\0in", 6)};
    for (const std::string& s : cases) {
        std::string stored = EscapeStored(s);
        EXPECT_EQ(UnescapeStored(stored), s) << stored;
        for (unsigned char c : stored)
            EXPECT_TRUE(c >= 0x20 && c != 0x7F) << stored;
        EXPECT_EQ(stored.find_first_of("[]=;#"), std::string::npos) << stored;
        for (size_t i = 0; i < stored.size(); i += std::max<size_t>(Utf8CharLength(stored, i), 1))
            EXPECT_NE(Utf8CharLength(stored, i), 0u) << stored << " is not UTF-8 at " << i;
    }
    EXPECT_EQ(EscapeStored("/home/z\xc3\xbc/a b.dat"), "/home/z\xc3\xbc/a b.dat") << "ordinary names read as they are";
    EXPECT_EQ(EscapeStored(" a\tb "), "\\x20a\\tb\\x20");
    EXPECT_EQ(UnescapeStored("C:\\dir\\x4"), "C:\\dir\\x4") << "unknown escapes stand as they are";
    EXPECT_EQ(UnescapeStored("\\x4a\\x4G\\xZ1\\x"), "J\\x4G\\xZ1\\x") << "hex in either case; a broken escape stands";
}

TEST(StoredText, APlantedSectionHeaderStaysInsideItsValue)
{
    CSettings settings;
    const std::string planted = "/maps/a\n[Settings]\nPreviewPages=2\n[Recent File List]\nFile1=/evil.dat";
    settings.SetString("Recent File List", "File1", planted);
    settings.SetString("Recent File List", "File2", "/maps/ok.dat");
    CSettings again;
    again.Parse(settings.Format());
    EXPECT_EQ(again.GetString("Recent File List", "File1"), planted);
    EXPECT_EQ(again.GetString("Recent File List", "File2"), "/maps/ok.dat");
    EXPECT_EQ(again.GetInt("Settings", "PreviewPages", 0), 0);
    EXPECT_EQ(again.Format(), settings.Format());
}

TEST(StoredText, ShownNamesEscapeControlAndNonUtf8BytesOnly)
{
    EXPECT_EQ(EscapeShown("/a\nb\tc\x01\x7f/d\\e \xff\xc3\xa9.dat"), "/a\\nb\\tc\\x01\\x7F/d\\e \\xFF\xc3\xa9.dat");
}

TEST(RecentFileNames, ShorteningKeepsTheFileNameAndNeverSplitsACharacter)
{
    EXPECT_EQ(CRecentFileList::Abbreviate("/home/a/map.dat", 30), "/home/a/map.dat");
    EXPECT_EQ(CRecentFileList::Abbreviate("/home/someone/projects/maps/frontier/kestrin.dat", 30),
              "/home/.../frontier/kestrin.dat");
    EXPECT_EQ(CRecentFileList::Abbreviate("/home/user/projects/star/maps/frontier.dat", 30),
              "/home/.../maps/frontier.dat");
    // Thirty characters of two bytes each fit; the bytes are not counted.
    const std::string e = "\xc3\xa9";  // é
    std::string wide = "/";
    for (int i = 0; i < 4; ++i)
        wide += e + e + e + e + "/";
    wide += e + e + ".dat";
    EXPECT_EQ(Utf8Length(wide), 27u);
    EXPECT_EQ(CRecentFileList::Abbreviate(wide, 30), wide);
    std::string deeper = "/" + e + e + e + e + wide;
    std::string shown = CRecentFileList::Abbreviate(deeper, 30);
    EXPECT_LE(Utf8Length(shown), 30u);
    EXPECT_EQ(shown.substr(shown.size() - 8), e + e + ".dat");
    for (size_t i = 0; i < shown.size(); i += std::max<size_t>(Utf8CharLength(shown, i), 1))
        ASSERT_NE(Utf8CharLength(shown, i), 0u) << shown;
    // A name longer than the limit is kept whole, alone.
    std::string name = std::string(40, 'n') + ".dat";
    EXPECT_EQ(CRecentFileList::Abbreviate("/x/y/" + name, 30), name);
    EXPECT_EQ(CRecentFileList::Abbreviate("/home/" + name, 30), name);
}

TEST(RecentFileNames, MenuEntriesShowEscapesAndDoubleAmpersands)
{
    CRecentFileList list;
    list.Add("/m/a&b\n.dat");
    list.Add("/m/\xff.dat");
    EXPECT_EQ(list.MenuEntries(), (std::vector<std::string>{"&1 /m/\\xFF.dat", "&2 /m/a&&b\\n.dat"}));
}

TEST(CommandLine, SwitchesFileNamesAndTheSlash)
{
    TempDir dir;
    const std::string file = dir.Write("m.dat", "Hub 0 0 QT\n");
    const std::string missing = (dir.Path() / "missing.dat").string();
    struct Case {
        std::vector<std::string> args;
        CCommandLineInfo::Command command;
        std::string file;
    };
    const std::vector<Case> cases = {
        {{"/P", file}, CCommandLineInfo::FileOpen, file},
        {{"/DDE", "/Pt", "/zzz", file}, CCommandLineInfo::FileOpen, file},
        {{"-", "/", file}, CCommandLineInfo::FileOpen, file},
        {{file, "/p"}, CCommandLineInfo::FilePrint, file},
        {{"/p", missing}, CCommandLineInfo::FilePrint, missing},
        {{missing}, CCommandLineInfo::FileOpen, missing},
        {{"/tmp"}, CCommandLineInfo::FileOpen, "/tmp"},
        {{"-p"}, CCommandLineInfo::FilePrint, ""},
        {{"/pt"}, CCommandLineInfo::FilePrintTo, ""},
        {{"-", "/"}, CCommandLineInfo::FileNew, ""},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        info.Parse(c.args);
        EXPECT_EQ(info.m_nShellCommand, c.command) << ::testing::PrintToString(c.args);
        EXPECT_EQ(info.m_strFileName, c.file) << ::testing::PrintToString(c.args);
    }
}

TEST(MessageText, LongPathsWrapOrLoseTheirMiddleNeverASplitCharacter)
{
    const std::string zwsp = "\xe2\x80\x8b", e = "\xc3\xa9";
    std::string path = "/";
    for (int i = 0; i < 30; ++i)
        path += std::string(70, 'a') + e + "/";
    path += "end.dat";
    std::string shown = ShownMessageText("Cannot open " + path + ".\nFile name too long.");
    // Between two places to wrap, never more than the run allows.
    size_t run = 0;
    for (size_t i = 0; i < shown.size();) {
        if (shown.compare(i, zwsp.size(), zwsp) == 0 || shown[i] == '\n' || shown[i] == ' ') {
            run = 0;
        } else {
            ASSERT_LT(++run, kWrapRun + 1) << "an unbroken run at " << i;
        }
        size_t length = Utf8CharLength(shown, i);
        ASSERT_NE(length, 0u) << "a character was split at " << i;
        i += length;
    }
    // Removing the places to wrap gives the beginning and end back.
    std::string plain;
    for (size_t at = 0, next; at < shown.size(); at = next + zwsp.size()) {
        next = shown.find(zwsp, at);
        plain += shown.substr(at, next == std::string::npos ? std::string::npos : next - at);
        if (next == std::string::npos)
            break;
    }
    EXPECT_EQ(plain.substr(0, 60), ("Cannot open " + path).substr(0, 60));
    EXPECT_NE(plain.find("/end.dat.\nFile name too long."), std::string::npos);
    EXPECT_NE(plain.find("\xe2\x80\xa6"), std::string::npos) << "the middle of a 2000-character line is left out";
    EXPECT_LE(Utf8Length(plain.substr(0, plain.find('\n'))), kMaxLineChars);
    EXPECT_EQ(ShownMessageText("Error loading data file"), "Error loading data file");
}
