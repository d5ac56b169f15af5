// SPDX-License-Identifier: MIT
// --help and --version of both programs: which argument counts, what goes
// where. The installed programs' exit status without a display is checked by
// install-check.sh; the built programs without a display are started here.

#include "app/CommandLineHelp.h"
#include "res/Version.h"
#include "tools/Renderer.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TEST(KestrinHelpVersion, FirstOfTheTwoWinsAndOnlyTheExactSpellingCounts)
{
    const std::string version = std::string("Kestrin ") + kKestrinVersion + "\n";
    struct Case {
        std::vector<std::string> args;
        std::optional<int> status;
        std::string starts;
    };
    const std::vector<Case> cases = {
        {{"--version"}, 0, version},
        {{"map.dat", "--version", "--help"}, 0, version},
        {{"-p", "map.dat", "--help", "--version"}, 0, "Usage: kestrin [FILE]\n"},
        // Everything else is left to the command line as it always was:
        // "/help", "-help" and "-version" are ignored switches.
        {{"/help"}, std::nullopt, ""},
        {{"-help", "-version", "--HELP"}, std::nullopt, ""},
        {{}, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        EXPECT_EQ(AnswerHelpOrVersion(c.args, out), c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(out.str().substr(0, c.starts.size()), c.starts) << ::testing::PrintToString(c.args);
        if (!c.status) {
            EXPECT_TRUE(out.str().empty());
        }
    }
}

// The version, then the licence in one line; both programs say the same.
TEST(HelpVersion, VersionIsTwoLinesTheSecondTheLicence)
{
    std::ostringstream kestrin, render, err;
    ASSERT_EQ(AnswerHelpOrVersion({"--version"}, kestrin), 0);
    ASSERT_EQ(RenderMain({"--version"}, render, err), 0);
    const std::string licence = std::string(kKestrinLicence) + "\n";
    EXPECT_EQ(kestrin.str(), std::string("Kestrin ") + kKestrinVersion + "\n" + licence);
    EXPECT_EQ(render.str(), std::string("kestrin-render ") + kKestrinVersion + "\n" + licence);
    EXPECT_NE(licence.find("MIT"), std::string::npos);
    EXPECT_NE(licence.find("The Kestrin developers"), std::string::npos);
}

TEST(KestrinHelpVersion, UsageNamesEverySwitch)
{
    std::ostringstream out;
    ASSERT_EQ(AnswerHelpOrVersion({"--help"}, out), 0);
    for (const char* name : {"FILE", "-p FILE", "-pt FILE PRINTER DRIVER PORT", "-unregister", "-unregserver",
                             "-embedding", "-automation", "-dde", "--help", "--version", "\"/\""})
        EXPECT_NE(out.str().find(name), std::string::npos) << name;
}

TEST(RenderHelpVersion, AnsweredOnStandardOutputInTheOrderOfTheArguments)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;  // the beginning of what goes to standard output
    };
    const std::vector<Case> cases = {
        {{"--version"}, 0, std::string("kestrin-render ") + kKestrinVersion + "\n"},
        {{"--zoom", "100", "--help", "--bogus"}, 0, "Usage: kestrin-render"},
        {{"--version", "--help"}, 0, "kestrin-render "},
        // An option met before them is judged first; a value is a value.
        {{"--bogus", "--help"}, 2, ""},
        {{"--size", "0x0", "--version"}, 2, ""},
        {{"-o", "--help"}, 2, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RenderMain(c.args, out, err), c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(out.str().substr(0, c.out.size()), c.out) << ::testing::PrintToString(c.args);
        EXPECT_EQ(err.str().empty(), c.status == 0) << err.str();
    }
}

namespace {

struct Finished {
    int status;
    std::string err;
};

// Runs a built program under env (a command line prefix of "env ...") in a
// folder of its own, standard output to out, with standard error kept; ends
// it after 20 seconds.
Finished RunBuilt(const std::string& env, const std::string& command, const std::string& out = "/dev/null")
{
    TempDir dir;
    std::string err = (dir.Path() / "err").string();
    std::string line = "cd '" + dir.Path().string() + "' && " + env + " timeout 20 " KESTRIN_BIN_DIR "/" + command +
                       " >" + out + " 2>'" + err + "'";
    int status = std::system(line.c_str());
    std::ifstream in(err);
    std::stringstream text;
    text << in.rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

} // namespace

TEST(Display, KestrinWithoutOneSaysSoInOneLineAndRenderNeedsNone)
{
    TempDir dir;
    std::string map = dir.Write("m.dat", "Hub 0 0 QT\n");
    // No display named, and one that nothing answers.
    for (const char* env : {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb",
                            "env -u WAYLAND_DISPLAY DISPLAY=:97 QT_QPA_PLATFORM=xcb"}) {
        Finished r = RunBuilt(env, "kestrin '" + map + "'");
        EXPECT_EQ(r.status, 1) << env;
        EXPECT_EQ(r.err.rfind("kestrin: cannot open the display ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // The renderer draws off screen whatever platform is named.
    std::string png = (dir.Path() / "m.png").string();
    for (const char* platform : {"xcb", "wayland", "offscreen"}) {
        Finished r = RunBuilt(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=") + platform,
                         "kestrin-render -o '" + png + "' '" + map + "'");
        EXPECT_EQ(r.status, 0) << platform << ": " << r.err;
        EXPECT_TRUE(std::filesystem::exists(png)) << platform;
        std::filesystem::remove(png);
    }
}

// --help and --version that cannot be written are a failure with a reason,
// not a success.
TEST(KestrinHelpVersion, AnswerLostOnAFullDiskFails)
{
    for (const char* option : {"--version", "--help"}) {
        Finished r = RunBuilt("env -u DISPLAY", std::string("kestrin ") + option, "/dev/full");
        EXPECT_EQ(r.status, 1) << option;
        EXPECT_EQ(r.err, "kestrin: cannot write to standard output: No space left on device\n") << option;
        EXPECT_EQ(RunBuilt("env -u DISPLAY", std::string("kestrin ") + option).status, 0) << option;
    }
}

TEST(Display, RenderThatSucceedsWritesNothingOnStandardError)
{
    TempDir dir;
    std::string map = dir.Write("m.dat", "Hub 0 0 QT\nRim 30 40 QT\n");
    const std::string out = dir.Path().string();
    // Without XDG_RUNTIME_DIR the toolkit has a warning of its own to give;
    // a headless program that did its work has nothing to say.
    for (const char* env : {"env -u XDG_RUNTIME_DIR", "env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY",
                            "env XDG_RUNTIME_DIR=/nonexistent/run"}) {
        const std::vector<std::string> runs = {"-o '" + out + "/m.png' --legend", "-o '" + out + "/m.svg'",
                                               "--print -o '" + out + "/m.pdf'", "--check",
                                               "--route Hub Rim --jump 60 -o '" + out + "/r.png'"};
        for (const std::string& args : runs) {
            Finished r = RunBuilt(env, "kestrin-render " + args + " '" + map + "'");
            EXPECT_EQ(r.status, 0) << env << " " << args << ": " << r.err;
            EXPECT_EQ(r.err, "") << env << " " << args;
        }
    }
}
