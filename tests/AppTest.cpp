// SPDX-License-Identifier: MIT
#include "GuiFixture.h"

#include "platform/framework/RecentFileList.h"
#include "res/ResourceIds.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::filesystem::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class App : public GuiTest {
protected:
    std::filesystem::path Ini() const
    {
        return m_dir.Path() / "config" / "Local AppWizard-Generated Applications" / "Kestrin.ini";
    }
    void WriteIni(const std::string& text) const
    {
        std::filesystem::create_directories(Ini().parent_path());
        std::ofstream(Ini()) << text;
    }
    std::string MapFile(const std::string& name) const { return m_dir.Write(name, MapText({{"Hub", 0, 0, "QT"}})); }
};

} // namespace

TEST_F(App, RecentFilesAreMostRecentFirstAndHoldFour)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> files;
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}) {
        files.push_back(MapFile(name));
        ASSERT_NE(m_app->OpenDocumentFile(files.back()), nullptr);
    }
    CRecentFileList& list = m_app->GetRecentFileList();
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list[0], files[4]);
    EXPECT_EQ(list[3], files[1]) << "the fifth file pushed the oldest out";
    m_app->OpenDocumentFile(files[2]);
    EXPECT_EQ(list[0], files[2]);
    EXPECT_EQ(list[1], files[4]);
    std::vector<std::string> menu = Frame()->GetMenuTexts(0);
    EXPECT_EQ(std::count_if(menu.begin(), menu.end(), [](const std::string& t) { return t.rfind("&", 0) == 0 && t[1] >= '1' && t[1] <= '4'; }), 4);
    Exit();
    std::string ini = ReadFile(Ini());
    EXPECT_NE(ini.find("[Recent File List]\nFile1=" + files[2] + "\nFile2=" + files[4] + "\n"), std::string::npos)
        << ini;
}

TEST_F(App, ARecentFileThatFailsToOpenIsReportedAndRemoved)
{
    ASSERT_TRUE(Start());
    std::string kept = MapFile("kept.dat");
    std::string gone = MapFile("gone.dat");
    m_app->OpenDocumentFile(gone);
    m_app->OpenDocumentFile(kept);
    Map()->AddMeasureLine(0, 0, 10, 10, 1);
    std::filesystem::remove(gone);
    ASSERT_EQ(m_app->GetRecentFileList()[1], gone);
    EXPECT_TRUE(Frame()->SendCommand(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].find("Cannot find this file."), std::string::npos);
    EXPECT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    EXPECT_EQ(Map()->GetMeasureLineCount(), 1) << "the open map stays";
    EXPECT_EQ(Frame()->GetWindowText(), "kept.dat - Kestrin");
}

TEST_F(App, FileOpenThroughTheDialogAndItsFailures)
{
    ASSERT_TRUE(Start());
    std::string good = MapFile("good.dat");
    m_openAnswers.push_back(good);
    EXPECT_TRUE(Frame()->SendCommand(ID_FILE_OPEN));
    EXPECT_EQ(Frame()->GetWindowText(), "good.dat - Kestrin");
    CStarMap* map = Map();
    for (std::string bad : {(m_dir.Path() / "missing.dat").string(), m_dir.Path().string()}) {
        m_openAnswers.push_back(bad);
        Frame()->SendCommand(ID_FILE_OPEN);
        EXPECT_EQ(Map(), map) << bad;
    }
    EXPECT_EQ(m_messages.size(), 2u);
    Frame()->SendCommand(ID_FILE_OPEN);  // cancelled
    EXPECT_EQ(m_messages.size(), 2u);
}

TEST_F(App, CommandLineOpensTheFileOrEndsWithTheFrameworksMessage)
{
    std::string missing = (m_dir.Path() / "nowhere.dat").string();
    EXPECT_FALSE(Start({missing}));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], missing + "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
    EXPECT_EQ(Frame(), nullptr);
    Exit();

    std::string file = MapFile("m.dat");
    ASSERT_TRUE(Start({"-P", "/dde", "-Embedding", file, "second.dat"}));
    EXPECT_EQ(Frame()->GetWindowText(), "m.dat - Kestrin") << "unknown switches are ignored";
    EXPECT_TRUE(Frame()->IsWindowVisible());
}

TEST_F(App, PartialFileOpensWithOneMessage)
{
    std::string file = m_dir.Write("part.dat", "A 1 2 VH\nB 3 4 QT\n\nC 5 6 E\n");
    ASSERT_TRUE(Start({file}));
    EXPECT_EQ(m_messages, std::vector<std::string>{"Error loading data file"});
    EXPECT_EQ(Map()->GetPlanetCount(), 2);
    EXPECT_EQ(Frame()->GetWindowText(), "part.dat - Kestrin");
}

TEST_F(App, UnregisterRemovesTheSettingsFileAndWritesNothingBack)
{
    WriteIni("[Recent File List]\nFile1=/tmp/x.dat\n");
    EXPECT_FALSE(Start({"/Unregister"}));
    EXPECT_EQ(m_messages, std::vector<std::string>{
                              "System registry entries have been removed and the INI file (if any) was deleted."});
    Exit();
    EXPECT_FALSE(std::filesystem::exists(Ini()));
    m_messages.clear();
    EXPECT_FALSE(Start({"-unregserver", "-embedding"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(App, DamagedSettingsGiveACleanStartAndOnlyTheListChanges)
{
    std::string good = MapFile("good.dat");
    WriteIni(std::string("\x01\xff garbage\n[Recent File List]\nFile1=relative.dat\nFile2=") + good +
             "\nFile3=\x7f\x02\nFile9=/x\n[Settings]\nPreviewPages=zz\n");
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_app->GetRecentFileList().GetSize(), 1);
    EXPECT_EQ(m_app->GetRecentFileList()[0], good);
    Exit();
    // The list's entries that were read are rewritten; the lines the reader
    // skipped, and the entries it does not own, stay as they were.
    EXPECT_EQ(ReadFile(Ini()), "\x01\xff garbage\n[Recent File List]\nFile1=" + good +
                                   "\nFile3=\x7f\x02\nFile9=/x\n[Settings]\nPreviewPages=zz\n");
}

TEST_F(App, PathsTheSystemRefusesAreReportedWithItsReason)
{
    ASSERT_TRUE(Start());
    const std::string longPath = "/" + std::string(5000, 'x') + ".dat";
    const std::string longName = m_dir.Path().string() + "/" + std::string(300, 'y') + ".dat";
    for (const std::string& path : {longPath, longName}) {
        m_messages.clear();
        m_openAnswers.push_back(path);
        Frame()->SendCommand(ID_FILE_OPEN);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0], "An unexpected file error occurred while reading " + path + ".\nFile name too long.");
    }
    EXPECT_EQ(Frame()->GetWindowText(), "Untitled - Kestrin");
}
