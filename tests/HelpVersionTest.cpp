// --help and --version of both programs: which argument counts, what goes
// where. The installed programs' exit status without a display is checked by
// install-check.sh.

#include "app/CommandLineHelp.h"
#include "res/Version.h"
#include "tools/Renderer.h"

#include <gtest/gtest.h>

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
