// Settings files as a disk and other programs leave them: unreadable,
// truncated, binary, not a file at all, or listing files that are now
// folders or gone. Each gives a clean start with no message, and the exit
// writes a clean file, or leaves things as they were when it cannot.

#include "FileAccess.h"
#include "GuiFixture.h"

#include "platform/RecentFileList.h"
#include "res/Resource.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SettingsFile : public GuiTest {
protected:
    fs::path Folder() const { return m_dir.Path() / "config" / "Local AppWizard-Generated Applications"; }
    fs::path Ini() const { return Folder() / "Kestrin.ini"; }
    void WriteIni(const std::string& bytes) const
    {
        fs::create_directories(Folder());
        std::ofstream(Ini(), std::ios::binary) << bytes;
    }
    std::string MapFile(const std::string& name) const { return m_dir.Write(name, MapText({{"Hub", 0, 0, "QT"}})); }
    // Temporary files of a save left in the settings folder.
    int Leftovers() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(Folder()))
            n += e.path().filename().string().rfind("Kestrin.ini.", 0) == 0;
        return n;
    }

    // Starts on the damaged file, opens one map, exits: nothing was said at
    // start, and the file written holds that map alone, in lines of text.
    void ExpectCleanStartAndCleanFile(const std::string& what)
    {
        ASSERT_TRUE(Start()) << what;
        EXPECT_TRUE(m_messages.empty()) << what;
        EXPECT_EQ(Map()->GetPlanetCount(), 0) << what;
        EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0) << what;
        std::string map = MapFile("kept.dat");
        ASSERT_NE(m_app->OpenDocumentFile(map), nullptr) << what;
        Exit();
        EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + map + "\n\n") << what;
        EXPECT_EQ(Leftovers(), 0) << what;
        m_messages.clear();
    }
};

} // namespace

TEST_F(SettingsFile, TruncatedOrBinaryFilesStartCleanAndAreRewritten)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 131 + 7) & 0xff);
    const std::string cases[] = {
        "[Recent File List]\nFile1=",      // cut right after the "="
        "[Recent File Li",                 // cut inside a section name
        "[Recent File List]\nFile1",       // cut before the "="
        std::string("\0\0\0\0\0\0\0\0", 8), // a file of zeros, as after a crash
        binary,
        std::string(2 << 20, 'x'),          // larger than any settings file of ours
        "\xef\xbb\xbf[Recent File List]\r\nFile1=relative/map.dat\r\nFile2=\r\n",
    };
    for (const std::string& bytes : cases) {
        WriteIni(bytes);
        ExpectCleanStartAndCleanFile(bytes.substr(0, 40));
    }
}

TEST_F(SettingsFile, AnUnreadableFileStartsCleanAndIsReplaced)
{
    PermissionBitsApply permissions;
    ASSERT_TRUE(permissions.Active()) << "cannot make a file unreadable here";
    WriteIni("[Recent File List]\nFile1=/secret/map.dat\n");
    ASSERT_EQ(::chmod(Ini().c_str(), 0), 0);
    ExpectCleanStartAndCleanFile("unreadable");
}

TEST_F(SettingsFile, APathThatIsNoFileStartsCleanAndNeverBlocks)
{
    // A folder where the file should be cannot be replaced: the exit
    // writes nothing and leaves no temporary file behind.
    fs::create_directories(Ini());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_messages.empty());
    m_app->OpenDocumentFile(MapFile("a.dat"));
    Exit();
    EXPECT_TRUE(fs::is_directory(Ini()));
    EXPECT_EQ(Leftovers(), 0);
    fs::remove(Ini());
    // A pipe would block a reader that waited for a writer.
    ASSERT_EQ(::mkfifo(Ini().c_str(), 0644), 0);
    ExpectCleanStartAndCleanFile("pipe");
}

TEST_F(SettingsFile, RecentEntriesThatAreFoldersOrMissingAreRemovedWhenChosen)
{
    std::string good = MapFile("good.dat");
    fs::create_directory(m_dir.Path() / "folder.dat");
    std::string folder = (m_dir.Path() / "folder.dat").string();
    std::string missing = (m_dir.Path() / "missing.dat").string();
    WriteIni("[Recent File List]\nFile1=" + folder + "\nFile2=" + missing + "\nFile3=" + good + "\n");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_messages.empty()) << "the list is not checked at start";
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 3);
    ASSERT_TRUE(Frame()->SendCommand(ID_FILE_MRU_FILE1 + 2));
    ASSERT_EQ(Frame()->GetWindowText(), "good.dat - Kestrin");
    Map()->AddMeasureLine(0, 0, 100, 100, 7);
    // The good file moved to the top; the folder and the missing file follow.
    ASSERT_EQ(m_app->GetRecentFileList()[1], folder);
    Frame()->SendCommand(ID_FILE_MRU_FILE1 + 1);
    ASSERT_EQ(m_app->GetRecentFileList()[1], missing);
    Frame()->SendCommand(ID_FILE_MRU_FILE1 + 1);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0], folder + "\nThis is not a regular file and cannot be opened.");
    EXPECT_NE(m_messages[1].find("Cannot find this file."), std::string::npos);
    EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    EXPECT_EQ(Map()->GetMeasureLineCount(), 1) << "the open map stays";
    EXPECT_EQ(Frame()->GetWindowText(), "good.dat - Kestrin");
    Exit();
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + good + "\n\n");
}

TEST_F(SettingsFile, WhatStandsAtTheTemporaryNameIsNeitherFollowedNorWaitedFor)
{
    ::alarm(30);  // a writer blocked on a pipe would hang the suite
    fs::create_directories(Folder());
    std::string outside = m_dir.Write("notes.txt", "not the program's\n");
    fs::create_symlink(outside, Folder() / "Kestrin.ini.tmp");
    std::string map = MapFile("a.dat");
    ASSERT_TRUE(Start());
    m_app->OpenDocumentFile(map);
    Exit();
    EXPECT_EQ(ReadAll(outside), "not the program's\n") << "a link at the temporary name was followed";
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + map + "\n\n");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Ini())));
    fs::remove(Folder() / "Kestrin.ini.tmp");
    ASSERT_EQ(::mkfifo((Folder() / "Kestrin.ini.tmp").c_str(), 0644), 0);
    ASSERT_TRUE(Start());
    Exit();
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + map + "\n\n");
    ::alarm(0);
}
