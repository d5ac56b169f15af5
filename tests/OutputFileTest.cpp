// SPDX-License-Identifier: MIT
// Output files against folders that change under them, links at the end of
// the path, and signals that end the program while a new file exists.

#include "platform/surface/LiveTempFile.h"
#include "platform/surface/OutputFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

using Names_t = std::vector<std::string>;

// Restores the hook when the test ends, however it ends.
struct CheckedHook {
    explicit CheckedHook(std::function<void()> hook) { COutputFile::SetCheckedHook(std::move(hook)); }
    ~CheckedHook() { COutputFile::SetCheckedHook(nullptr); }
};

} // namespace

TEST(OutputFileRace, AFolderSwappedForALinkAfterTheCheckCannotRedirectTheWrite)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "out");
    fs::create_directories(dir.Path() / "in");
    const std::string input = dir.Write("in/map.dat", "Hub 0 0 QT\n");
    const std::string target = (dir.Path() / "out" / "map.dat").string();
    // Between the check and the new file, the output's folder becomes a
    // link to the input's folder, where the same name is the data file.
    CheckedHook hook([&] {
        fs::rename(dir.Path() / "out", dir.Path() / "moved");
        fs::create_directory_symlink(dir.Path() / "in", dir.Path() / "out");
    });
    COutputFile file;
    ASSERT_TRUE(file.Open(target, 0666, input)) << file.Reason();
    ASSERT_TRUE(file.Write("picture bytes"));
    ASSERT_TRUE(file.Commit()) << file.Reason();
    EXPECT_EQ(Slurp(input), "Hub 0 0 QT\n") << "the data file was replaced through the link";
    EXPECT_EQ(Slurp(dir.Path() / "moved" / "map.dat"), "picture bytes") << "written where the check looked";
    EXPECT_EQ(Names(dir.Path() / "in"), Names_t{"map.dat"});
    EXPECT_EQ(Names(dir.Path() / "moved"), Names_t{"map.dat"});
}

TEST(OutputFileRace, TheInputPutAtTheTargetAfterTheCheckIsNotReplaced)
{
    TempDir dir;
    const std::string input = dir.Write("map.dat", "Hub 0 0 QT\n");
    const std::string target = dir.Write("out.png", "old picture");
    CheckedHook hook([&] {
        fs::remove(target);
        fs::create_hard_link(input, target);
    });
    COutputFile file;
    ASSERT_TRUE(file.Open(target, 0666, input));
    EXPECT_TRUE(file.Write("new picture"));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.Reason(), "it is the input file");
    EXPECT_EQ(Slurp(input), "Hub 0 0 QT\n");
    EXPECT_EQ(Names(dir.Path()), (Names_t{"map.dat", "out.png"})) << "no new file left";
}

TEST(OutputFileLinks, ALinkChainIsFollowedFromEachLinksOwnFolder)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "a" / "b");
    fs::create_directories(dir.Path() / "c");
    const std::string real = dir.Write("c/real.ini", "old");
    // A relative link is read from the folder that holds it, not the
    // working folder: a/b/link -> ../../c/hop -> real.ini
    fs::create_symlink("real.ini", dir.Path() / "c" / "hop");
    fs::create_symlink("../../c/hop", dir.Path() / "a" / "b" / "link");
    COutputFile file;
    ASSERT_TRUE(file.Open((dir.Path() / "a" / "b" / "link").string())) << file.Reason();
    ASSERT_TRUE(file.Write("new") && file.Commit()) << file.Reason();
    EXPECT_EQ(Slurp(real), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "a" / "b" / "link"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "c" / "hop"));
    EXPECT_EQ(Names(dir.Path() / "c"), (Names_t{"hop", "real.ini"}));

    std::string reason;
    fs::create_symlink("nowhere.ini", dir.Path() / "dangling");
    EXPECT_FALSE(COutputFile::CheckTarget((dir.Path() / "dangling").string(), "", reason));
    EXPECT_EQ(reason, "No such file or directory") << "a dangling link is not written through";
    EXPECT_FALSE(fs::exists(dir.Path() / "nowhere.ini"));
    fs::create_symlink("loop2", dir.Path() / "loop1");
    fs::create_symlink("loop1", dir.Path() / "loop2");
    EXPECT_FALSE(COutputFile::CheckTarget((dir.Path() / "loop1").string(), "", reason));
    EXPECT_EQ(reason, std::strerror(ELOOP));
    EXPECT_FALSE(COutputFile::CheckTarget((dir.Path() / "c").string() + "/", "", reason));
    EXPECT_EQ(reason, std::strerror(EISDIR));
}

TEST(OutputFileNewFile, NothingIsMadeBeforeTheBytesAndNothingStaysAfterADiscard)
{
    TempDir dir;
    const std::string target = (dir.Path() / "page.pdf").string();
    {
        COutputFile file;
        ASSERT_TRUE(file.Open(target));
        EXPECT_TRUE(Names(dir.Path()).empty()) << "a file made before the bytes were ready";
        ASSERT_TRUE(file.Write("half a page"));
        for (const std::string& name : Names(dir.Path()))
            EXPECT_EQ(name[0], '.') << name << ": a new file's name is hidden";
    }
    EXPECT_TRUE(Names(dir.Path()).empty()) << "the destructor discards";
    COutputFile empty;
    ASSERT_TRUE(empty.Open(target));
    ASSERT_TRUE(empty.Commit()) << "an empty output is still a file";
    EXPECT_EQ(Names(dir.Path()), Names_t{"page.pdf"});
    EXPECT_EQ(fs::file_size(target), 0u);
}

namespace {

// In a child: makes name in folder, arms it, and raises signal; returns how
// the child ended. With handled set, the child has a handler of its own
// for the signal first and exits 0 after the raise.
int RaiseWithArmedFile(const fs::path& folder, const char* name, int signal, bool handled)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        if (handled)
            ::signal(signal, [](int) {});
        int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        int fd = ::openat(dir, name, O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            ::_exit(3);
        ArmLiveTempFile(dir, name);
        ::raise(signal);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace

TEST(OutputFileSignals, TermHupAndIntRemoveTheLiveFileAndStillEndTheProgram)
{
    TempDir dir;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        EXPECT_EQ(RaiseWithArmedFile(dir.Path(), ".out.png.Ab12Cd", signal, false), 128 + signal);
        EXPECT_TRUE(Names(dir.Path()).empty()) << strsignal(signal);
    }
    // A program that handles the signal itself keeps its handler; its own
    // exit path removes the file.
    EXPECT_EQ(RaiseWithArmedFile(dir.Path(), ".out.png.Ef34Gh", SIGTERM, true), 0);
    EXPECT_EQ(Names(dir.Path()), Names_t{".out.png.Ef34Gh"});
}

TEST(OutputFileStale, OnlyTheTargetsOwnOldNewFilesAreCleared)
{
    TempDir dir;
    const Names_t stale = {".Kestrin.ini.Ab3dE9", ".Kestrin.ini.zzzzzz", "Kestrin.ini.x7Y2kQ", "Kestrin.ini.A1B2C3"};
    const Names_t kept = {"Kestrin.ini",          "Kestrin.ini.backup",  "Kestrin.ini.BACKUP", ".Kestrin.ini.Fresh1",
                          ".Kestrin.ini.toolong1", "Other.ini.Ab3dE9",   ".Kestrin.ini.a-b-c1", "Kestrin.ini.Ab3dE"};
    for (const Names_t* names : {&stale, &kept})
        for (const std::string& name : *names) {
            dir.Write(name, "x");
            if (name != ".Kestrin.ini.Fresh1")
                fs::last_write_time(dir.Path() / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
    fs::create_directory(dir.Path() / ".Kestrin.ini.Fold3r");
    fs::last_write_time(dir.Path() / ".Kestrin.ini.Fold3r", fs::file_time_type::clock::now() - std::chrono::hours(1));
    COutputFile file;
    ASSERT_TRUE(file.Open((dir.Path() / "Kestrin.ini").string()));
    file.RemoveStaleFiles();
    Names_t left = kept;
    left.push_back(".Kestrin.ini.Fold3r");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(Names(dir.Path()), left);
}
