// SPDX-License-Identifier: MIT
// Settings files as a disk and other programs leave them: unreadable,
// truncated, binary, too large, not a file at all, or listing files that are
// now folders or gone. Each gives a clean start with no message, and the
// exit writes the program's own entries among what it found, or leaves
// things as they were when it cannot read the file whole.

#include "FileAccess.h"
#include "GuiFixture.h"
#include "Subprocess.h"

#include "platform/framework/RecentFileList.h"
#include "res/ResourceIds.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
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
    // Temporary files of a save left in the settings folder, hidden or not.
    int Leftovers() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(Folder())) {
            std::string name = e.path().filename().string();
            n += name.starts_with("Kestrin.ini.") || name.starts_with(".Kestrin.ini.");
        }
        return n;
    }

    // Starts on the damaged file, opens one map, exits: nothing was said at
    // start, and the next start lists that map alone.
    void ExpectCleanStartAndTheMapListed(const std::string& what)
    {
        ASSERT_TRUE(Start()) << what;
        EXPECT_TRUE(m_messages.empty()) << what;
        EXPECT_EQ(Map()->GetPlanetCount(), 0) << what;
        EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0) << what;
        std::string map = MapFile("kept.dat");
        ASSERT_NE(m_app->OpenDocumentFile(map), nullptr) << what;
        Exit();
        EXPECT_EQ(Leftovers(), 0) << what;
        ASSERT_TRUE(Start()) << what;
        ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1) << what << ReadAll(Ini());
        EXPECT_EQ(m_app->GetRecentFileList()[0], map) << what;
        Exit();
        m_messages.clear();
    }
};

} // namespace

TEST_F(SettingsFile, TruncatedOrBinaryFilesStartCleanAndTakeTheList)
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
        "\xef\xbb\xbf[Recent File List]\r\nFile1=relative/map.dat\r\nFile2=\r\n",
    };
    for (const std::string& bytes : cases) {
        WriteIni(bytes);
        ExpectCleanStartAndTheMapListed(bytes.substr(0, 40));
    }
    WriteIni("[Recent File List]\nFile1=");
    ExpectCleanStartAndTheMapListed("cut");
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + MapFile("kept.dat") + "\n") << "the cut entry completed";
}

TEST_F(SettingsFile, UnreadableAndReadOnlyFilesAreLeftAlone)
{
    // Unreadable: a clean start, and the exit leaves the file as it was.
    {
        PermissionBitsApply permissions;
        ASSERT_TRUE(permissions.Active()) << "cannot make a file unreadable here";
        WriteIni("[Recent File List]\nFile1=/secret/map.dat\n");
        ASSERT_EQ(::chmod(Ini().c_str(), 0), 0);
        ASSERT_TRUE(Start());
        EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0);
        m_app->OpenDocumentFile(MapFile("a.dat"));
        Exit();
    }
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=/secret/map.dat\n");
    // Read-only: read at start, and the list of this run is not written.
    std::string kept = MapFile("kept.dat");
    const std::string text = "[Recent File List]\nFile1=" + kept + "\n";
    ASSERT_EQ(::chmod(Ini().c_str(), 0444), 0);
    WriteIni(text);
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    std::string other = MapFile("other.dat");
    m_app->OpenDocumentFile(other);
    EXPECT_EQ(m_app->GetRecentFileList()[0], other) << "the list still works for the run";
    Exit();
    EXPECT_EQ(ReadAll(Ini()), text);
    struct stat st;
    ASSERT_EQ(::stat(Ini().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_EQ(Leftovers(), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SettingsFile, APathThatIsNoFileStartsCleanAndNeverBlocks)
{
    ::alarm(30);  // a reader or writer blocked on the pipe would hang the suite
    // Neither a folder nor a pipe where the file should be is replaced: the
    // exit writes nothing and leaves no temporary file behind.
    fs::create_directories(Ini());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_messages.empty());
    m_app->OpenDocumentFile(MapFile("a.dat"));
    Exit();
    EXPECT_TRUE(fs::is_directory(Ini()));
    EXPECT_EQ(Leftovers(), 0);
    fs::remove(Ini());
    ASSERT_EQ(::mkfifo(Ini().c_str(), 0644), 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0);
    m_app->OpenDocumentFile(MapFile("b.dat"));
    Exit();
    EXPECT_TRUE(fs::is_fifo(Ini()));
    EXPECT_EQ(Leftovers(), 0);
    EXPECT_TRUE(m_messages.empty());
    ::alarm(0);
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
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + good + "\n");
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

namespace {

// File names that a line-based settings file could mangle, four at a time,
// as the list holds four.
std::vector<std::vector<std::string>> HostileNames()
{
    return {
        {"new\nline.dat", "tab\there.dat", "trailing space.dat ", " leading.dat"},
        {"[bracket].dat", "a=b;c#d.dat", "back\\slash\\n.dat", "bytes \xff\xfe\x80.dat"},
        {"a\n[Settings]\nx.dat", "cr\r.dat", "ctrl\x01\x1b\x7f.dat", "\\x41.dat"},
    };
}

// A file whose full path is exactly length bytes, in folders of 200.
std::string LongPath(const fs::path& base, size_t length)
{
    std::string folder = base.string();
    while (folder.size() + 201 + 50 < length)
        folder += "/" + std::string(199, 'd');
    fs::create_directories(folder);
    return folder + "/" + std::string(length - folder.size() - 5, 'f') + ".dat";
}

} // namespace

TEST_F(SettingsFile, AnyFileNameRoundTripsThroughASaveAndAFreshStart)
{
    std::vector<std::vector<std::string>> batches;
    for (const auto& names : HostileNames()) {
        batches.emplace_back();
        for (const std::string& name : names)
            batches.back().push_back(MapFile(name));
    }
    std::string longPath = LongPath(m_dir.Path(), 4000);
    std::ofstream(longPath) << "Hub 0 0 QT\n";
    batches.push_back({longPath, MapFile("plain.dat")});
    for (const auto& files : batches) {
        ASSERT_TRUE(Start());
        for (const std::string& file : files)
            ASSERT_NE(m_app->OpenDocumentFile(file), nullptr) << file;
        Exit();
        std::string ini = ReadAll(Ini());
        EXPECT_EQ(std::count(ini.begin(), ini.end(), '['), 1) << "one section header only:\n" << ini;
        ASSERT_TRUE(Start());
        const CRecentFileList& list = m_app->GetRecentFileList();
        ASSERT_GE(list.GetSize(), static_cast<int>(files.size()));
        for (size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(list[static_cast<int>(i)], files[files.size() - 1 - i]) << "most recent first";
        std::vector<std::string> menu = Frame()->GetMenuTexts(0);
        for (const std::string& text : menu) {
            if (text.size() > 2 && text[0] == '&' && text[1] >= '1' && text[1] <= '4' && text[2] == ' ') {
                EXPECT_EQ(text.find_first_of("\n\r\t"), std::string::npos) << "control bytes shown as escapes";
            }
        }
        Exit();
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SettingsFile, ASymbolicLinkStaysALinkAndItsTargetIsReplaced)
{
    fs::path real = m_dir.Path() / "dotfiles" / "kestrin.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "[Recent File List]\nFile1=/old/map.dat\n";
    fs::create_directories(Folder());
    fs::create_symlink(real, Ini());
    std::string map = MapFile("a.dat");
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    m_app->OpenDocumentFile(map);
    Exit();
    EXPECT_TRUE(fs::is_symlink(Ini()));
    EXPECT_EQ(ReadAll(real), "[Recent File List]\nFile1=" + map + "\nFile2=/old/map.dat\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1)
        << "no temporary file beside the target";
    EXPECT_EQ(Leftovers(), 0);
}

TEST_F(SettingsFile, WithoutAPrivateConfigurationFolderNothingIsReadOrWritten)
{
    // What another user could plant in the shared temporary folder.
    const fs::path shared = "/tmp/Local AppWizard-Generated Applications";
    bool planted = !fs::exists(shared);
    if (planted) {
        fs::create_directories(shared);
        std::ofstream(shared / "Kestrin.ini") << "[Recent File List]\nFile1=/planted.dat\n";
    }
    std::string before = ReadAll(shared / "Kestrin.ini");
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0);
    std::string map = MapFile("a.dat");
    m_app->OpenDocumentFile(map);
    EXPECT_EQ(m_app->GetRecentFileList()[0], map) << "the list lives for the run";
    Exit();
    if (!home.empty())
        ::setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(ReadAll(shared / "Kestrin.ini"), before);
    EXPECT_FALSE(fs::exists(m_dir.Path() / "config"));
    EXPECT_TRUE(m_messages.empty());
    if (planted)
        fs::remove_all(shared);
}

TEST_F(SettingsFile, WrittenWhenTheSessionEndsAndOnSigtermAndSighup)
{
    std::string first = MapFile("first.dat"), second = MapFile("second.dat");
    ASSERT_TRUE(Start({first}));
    m_app->OnSessionEnd();
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + first + "\n\n") << "written while running";
    m_app->OpenDocumentFile(second);
    Exit();
    EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + second + "\nFile2=" + first + "\n\n");
    // The last map fails to load part-way, so its message box is open.
    const std::pair<int, std::string> cases[] = {
        {SIGTERM, MapFile("term.dat")}, {SIGHUP, MapFile("hup.dat")}, {SIGTERM, m_dir.Write("part.dat", "A 1 2 VH\n\n")}};
    for (const auto& [signal, map] : cases) {
        fs::remove(Ini());
        pid_t pid = StartProcess({KESTRIN_BIN, map}, {"XDG_CONFIG_HOME=" + (m_dir.Path() / "config").string()},
                                 m_dir.Path() / "log");
        ASSERT_GT(pid, 0);
        for (int i = 0; i < 1000 && !CatchesSignal(pid, signal); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(CatchesSignal(pid, signal)) << ReadWholeFile(m_dir.Path() / "log");
        ::kill(pid, signal);
        ProcessResult r = WaitProcess(pid, 60);
        ASSERT_TRUE(r.finished) << "the signal did not end the program";
        EXPECT_EQ(r.status, 0) << ReadWholeFile(m_dir.Path() / "log");
        EXPECT_EQ(ReadAll(Ini()), "[Recent File List]\nFile1=" + map + "\n\n") << signal;
    }
}

TEST_F(SettingsFile, AFileTooLargeToReadIsNeitherReadNorReplaced)
{
    const std::string head = "[Recent File List]\nFile1=/kept/map.dat\n";
    for (off_t size : {off_t{2} << 20, off_t{100} << 20}) {
        WriteIni(head);
        ASSERT_EQ(::truncate(Ini().c_str(), size), 0);  // the rest reads as zeros
        ASSERT_TRUE(Start());
        EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 0) << "not read at start";
        m_app->OpenDocumentFile(MapFile("a.dat"));
        Exit();
        EXPECT_EQ(fs::file_size(Ini()), static_cast<uintmax_t>(size)) << "replaced at exit";
        std::string start(head.size(), '\0');
        std::ifstream(Ini(), std::ios::binary).read(start.data(), static_cast<std::streamsize>(start.size()));
        EXPECT_EQ(start, head);
        EXPECT_EQ(Leftovers(), 0);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SettingsFile, LinesTheProgramDoesNotOwnSurviveASaveExactly)
{
    const std::string old = MapFile("old.dat");
    const std::string top = "; written by hand\n# a comment\r\n\n[Recent File List]\n";
    const std::string others = "File9=/not/ours.dat\n";
    const std::string tail = "Note=bell\x07 and escape \x1b[31m\n\n[Window]\nGeometry=10,20,300,400\n"
                             "a line of garbage\n\xff\xfe\n[Settings]\nPreviewPages=2";  // no last newline
    WriteIni(top + "  File1 = " + old + "\n" + others + tail);
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    const std::string map = MapFile("new.dat");
    m_app->OpenDocumentFile(map);
    Exit();
    // Only File1 and File2 are the program's: the first changed in place,
    // the second added at the end of its section.
    const std::string saved = top + "File1=" + map + "\n" + others + "File2=" + old + "\n" + tail;
    EXPECT_EQ(ReadAll(Ini()), saved);
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 2);
    EXPECT_EQ(m_app->GetProfileInt("Settings", "PreviewPages", 0), 2);
    Exit();
    EXPECT_EQ(ReadAll(Ini()), saved) << "a run that changes nothing changes no byte";
    // A section of the program's own added after a last line without a newline.
    ASSERT_TRUE(Start());
    m_app->WriteProfileInt("Settings", "PreviewPages", 1);
    m_app->GetSettings().SetString("Kestrin Extra", "Key", "v");
    Exit();
    EXPECT_EQ(ReadAll(Ini()), top + "File1=" + map + "\n" + others + "File2=" + old + "\n" +
                                  tail.substr(0, tail.size() - 1) + "1\n\n[Kestrin Extra]\nKey=v\n\n");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(SettingsFile, NewFilesThatEarlierRunsLeftAreClearedOnTheNextSave)
{
    fs::create_directories(Folder());
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {".Kestrin.ini.Ab3dE9", "Kestrin.ini.x7Y2kQ", "Kestrin.ini.backup"}) {
        WriteIni("");
        fs::rename(Ini(), Folder() / name);
        fs::last_write_time(Folder() / name, hourAgo);
    }
    ASSERT_TRUE(Start());
    m_app->OpenDocumentFile(MapFile("a.dat"));
    Exit();
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Folder()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Kestrin.ini", "Kestrin.ini.backup"})) << "a user's backup is kept";
}
