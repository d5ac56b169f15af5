// SPDX-License-Identifier: MIT
// What kestrin-render tells its user: every output checked to its end,
// names that cannot act on the terminal, a reason for every file it cannot
// read or write, the form a bad option value should take, and pictures
// centred on a planet by its name.

#include "tools/Renderer.h"

#include "platform/surface/Image.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kMap = "Alpha 0 0 VH\nBeta 20 0 QT\nBad\x1b[31mName 40 0 QT\n";

// A stream that takes nothing: every byte written to it is lost.
class LosingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

class RenderMessages : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args)
    {
        m_out.str("");
        m_err.str("");
        return RenderMain(args, m_out, m_err);
    }
    // Runs the built program under sh with the script's redirections; the
    // script's own output (statuses, saved messages) is returned.
    std::string Shell(const std::string& script)
    {
        fs::path log = m_dir.Path() / "shell.log";
        // A private runtime folder keeps the toolkit from warning on the
        // standard error, which the scripts compare whole.
        fs::path runtime = m_dir.Path() / "runtime";
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        ProcessResult r = RunProcess({"/bin/sh", "-c", script},
                                     {"RENDER=" KESTRIN_RENDER_BIN, "MAP=" + m_map, "DIR=" + m_dir.Path().string(),
                                      "XDG_RUNTIME_DIR=" + runtime.string()},
                                     120, log);
        EXPECT_TRUE(r.finished);
        return ReadWholeFile(log);
    }

    TempDir m_dir;
    std::string m_map = m_dir.Write("m.dat", kMap);
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace

// Each mode's output sent to /dev/full: exit 2 and a line on the standard
// error that says so, where it used to be 0 (or the mode's own status).
TEST_F(RenderMessages, OutputLostOnAFullDeviceExitsTwoInEveryMode)
{
    const std::vector<std::string> modes = {
        "--help", "--version", "--check \"$MAP\"", "--check --json \"$MAP\"", "--route Alpha Beta --jump 20 \"$MAP\"",
        "--export csv \"$MAP\"", "--export json \"$MAP\"", "--near Alpha --within 50 \"$MAP\"",
        "--size 64x48 -o - \"$MAP\"", "--print --dpi 20 --type pdf -o - \"$MAP\"", "--type html -o - \"$MAP\"",
    };
    for (const std::string& mode : modes) {
        std::string said = Shell("\"$RENDER\" " + mode + " > /dev/full 2> \"$DIR/err\"; echo $?; cat \"$DIR/err\"");
        EXPECT_EQ(said, "2\nkestrin-render: cannot write the standard output: No space left on device\n") << mode;
    }
    // A message that cannot be written is a failure too, even of a usage error.
    EXPECT_EQ(Shell("\"$RENDER\" --route Alpha Beta --jump 1 \"$MAP\"; echo $?").substr(0, 16), "kestrin-render: ");
    EXPECT_EQ(Shell("\"$RENDER\" --route Alpha Beta --jump 1 \"$MAP\" 2> /dev/full; echo $?"), "2\n");
    EXPECT_EQ(Shell("\"$RENDER\" --version > /dev/null; echo $?"), "0\n");
    // In the library: a stream that loses bytes gives 2 and the message.
    LosingBuffer lost;
    std::ostream out(&lost);
    std::ostringstream err;
    EXPECT_EQ(RenderMain({"--route", "Alpha", "Beta", "--jump", "20", m_map}, out, err), 2);
    EXPECT_NE(err.str().find("cannot write the standard output"), std::string::npos) << err.str();
    EXPECT_EQ(RenderMain({"--help"}, out, err), 2);
}

// A route written to a file on a full disk: exit 2 and the reason, and no
// picture drawn after the lost figures.
TEST_F(RenderMessages, ARouteToAFileOnAFullDiskExitsTwo)
{
    fs::path full = m_dir.Path() / "full";
    fs::path log = m_dir.Path() / "log";
    std::string script = "fill\n\"$RENDER\" --route Alpha Beta --jump 20 -o \"$DIR/r.png\" \"$MAP\" > \"$FULL/route.txt\"\n"
                         "echo $? > \"$DIR/status\"\nls \"$FULL\" > \"$DIR/left\"\n";
    ProcessResult r = RunOnFullDisk(full, script, {"RENDER=" KESTRIN_RENDER_BIN, "MAP=" + m_map,
                                                   "DIR=" + m_dir.Path().string()}, log);
    if (r.status == kFullDiskRefused)
        GTEST_SKIP() << "no private mount namespace with a tmpfs here";
    ASSERT_TRUE(r.finished) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "status"), "2\n") << ReadWholeFile(log);
    EXPECT_NE(ReadWholeFile(log).find("cannot write the standard output: No space left on device"), std::string::npos)
        << ReadWholeFile(log);
    EXPECT_FALSE(fs::exists(m_dir.Path() / "r.png"));
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "left"), "fill\nroute.txt\n") << "the shell made the file";
}

// Control bytes in file and planet names come out as escapes, never raw.
TEST_F(RenderMessages, NamesReachTheTerminalEscaped)
{
    std::string said;
    auto run = [&](const std::vector<std::string>& args) {
        int status = Run(args);
        said += m_out.str() + m_err.str();
        return status;
    };
    EXPECT_EQ(run({"-o", "/nonexist/\x1b[31mRED.png", m_map}), 2);
    EXPECT_NE(m_err.str().find("/nonexist/\\x1B[31mRED.png"), std::string::npos) << m_err.str();
    EXPECT_EQ(run({"-o", (m_dir.Path() / "a.png").string(), "/nonexist/\x1b[31mRED.dat"}), 2);
    EXPECT_NE(m_err.str().find("/nonexist/\\x1B[31mRED.dat"), std::string::npos) << m_err.str();
    EXPECT_EQ(run({"--route", "Alpha", "Bad\x1b[31mName", "--jump", "20", m_map}), 0) << m_err.str();
    EXPECT_NE(m_out.str().find("Bad\\x1B[31mName"), std::string::npos) << m_out.str();
    EXPECT_EQ(run({"--route", "Alpha", "Bad", "--jump", "20", m_map}), 2);
    EXPECT_NE(m_err.str().find("did you mean \"Bad\\x1B[31mName\""), std::string::npos) << m_err.str();
    EXPECT_EQ(run({"--route", "Alpha", "Bad\x1b[31mName", "--jump", "1", m_map}), 1);
    EXPECT_EQ(run({"--\x1b[31mx", m_map}), 2);
    EXPECT_EQ(said.find('\x1b'), std::string::npos) << said;
    // The escaped name, typed back, is the planet.
    EXPECT_EQ(Run({"--route", "Alpha", "Bad\\x1B[31mName", "--jump", "20", m_map}), 0) << m_err.str();
}

// "cannot open X: why" for each kind of path that is no readable file, in
// every mode; a pipe never blocks and a device is never read.
TEST_F(RenderMessages, AnUnreadableMapIsNamedWithItsReason)
{
    const fs::path fifo = m_dir.Path() / "pipe.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {(m_dir.Path() / "missing.dat").string(), "No such file or directory"},
        {m_dir.Path().string(), "Is a directory"},
        {fifo.string(), "not a regular file"},
        {"/dev/zero", "not a regular file"},
    };
    const std::string png = (m_dir.Path() / "out.png").string();
    for (const auto& [path, reason] : cases) {
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"-o", png, path}, {"--check", path}, {"--route", "A", "B", "--jump", "1", path}}) {
            EXPECT_EQ(Run(args), 2) << path;
            EXPECT_EQ(m_err.str(), "kestrin-render: cannot open " + path + ": " + reason + "\n");
        }
    }
    EXPECT_FALSE(fs::exists(png));
}

// A UTF-16 map fails at its first line, and the message says why.
TEST_F(RenderMessages, AUtf16MapIsNamedAsSuch)
{
    const std::string wide = m_dir.Write("wide.dat", std::string("\xFF\xFE" "A\0 \0" "1\0 \0" "2\0 \0" "V\0H\0\n\0", 20));
    EXPECT_EQ(Run({"-o", (m_dir.Path() / "w.png").string(), wide}), 1);
    EXPECT_NE(m_err.str().find("kestrin-render: " + wide + " is UTF-16 text (little-endian, with a byte order mark): "
                               "save it as UTF-8\n"), std::string::npos) << m_err.str();
    EXPECT_EQ(Run({"--route", "A", "A", "--jump", "1", wide}), 2);
    EXPECT_NE(m_err.str().find(" is UTF-16 text"), std::string::npos) << m_err.str();
    EXPECT_EQ(Run({"--check", wide}), 1);
    EXPECT_NE(m_out.str().find(":1: warning: the file is UTF-16 text"), std::string::npos) << m_out.str();
    EXPECT_EQ(Run({"-o", (m_dir.Path() / "w.png").string(), m_dir.Write("bad.dat", "A 1 2 VH\n\n")}), 1);
    EXPECT_EQ(m_err.str().find("UTF-16"), std::string::npos) << m_err.str();
}

// A file that may be written in a folder that may not: the folder is named.
TEST_F(RenderMessages, AReadOnlyFolderIsNamedAsTheCause)
{
    fs::path folder = m_dir.Path() / "locked";
    fs::create_directory(folder);
    std::string out = m_dir.Write("locked/old.png", "old");
    fs::permissions(out, fs::perms::all, fs::perm_options::replace);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(m_dir.Path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(m_map, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Root may write any folder: the program runs as nobody then.
    std::string as = ::geteuid() == 0 ? "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    std::string said = Shell(as + "\"$RENDER\" -o \"$DIR/locked/old.png\" \"$MAP\"; echo $?");
    EXPECT_NE(said.find("kestrin-render: cannot write " + out + ": the folder " + folder.string() +
                        " cannot be written to (Permission denied)\n"), std::string::npos) << said;
    EXPECT_EQ(said.substr(said.size() - 2), "2\n");
    EXPECT_EQ(ReadWholeFile(out), "old");
    fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(RenderMessages, BadValuesAndMisplacedNamesSayWhatIsExpected)
{
    EXPECT_EQ(Run({"--route", "Alpha", "Beta", "--jump", "ten", m_map}), 2);
    EXPECT_EQ(m_err.str(), "kestrin-render: bad or missing value for --jump; expected light years, a number with at "
                           "most three digits after the point, such as 25 or 12.5\n");
    EXPECT_EQ(Run({"--size", "big", "-o", "x.png", m_map}), 2);
    EXPECT_NE(m_err.str().find("such as 800x600"), std::string::npos) << m_err.str();
    EXPECT_EQ(Run({"--route", "--jump", "5", "Beta", m_map}), 2);
    EXPECT_EQ(m_err.str(), "kestrin-render: --route takes the two planet names first, FROM TO, and --jump is an "
                           "option, not a name\n");
}

// --center-on NAME draws what --center at that planet's map units draws;
// a name no planet has is refused before anything is written.
TEST_F(RenderMessages, CenterOnAPlanetByName)
{
    const std::vector<std::string> view = {"--size", "200x150", "--zoom", "500"};
    auto render = [&](std::vector<std::string> args, const std::string& out) {
        args.insert(args.begin(), view.begin(), view.end());
        args.insert(args.end(), {"-o", (m_dir.Path() / out).string(), m_map});
        return Run(args);
    };
    ASSERT_EQ(render({"--center-on", "Beta"}, "named.png"), 0) << m_err.str();
    ASSERT_EQ(render({"--center", "200,0"}, "units.png"), 0) << m_err.str();
    ASSERT_EQ(render({}, "origin.png"), 0) << m_err.str();
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "named.png"), ReadWholeFile(m_dir.Path() / "units.png"));
    EXPECT_NE(ReadWholeFile(m_dir.Path() / "named.png"), ReadWholeFile(m_dir.Path() / "origin.png"));
    ASSERT_EQ(render({"--print", "--center-on", "Beta"}, "page.png"), 0) << m_err.str();

    EXPECT_EQ(render({"--center-on", "beta"}, "none.png"), 2);
    EXPECT_EQ(m_err.str(), "kestrin-render: no planet is named \"beta\"; did you mean \"Beta\"?\n");
    EXPECT_FALSE(fs::exists(m_dir.Path() / "none.png"));
    EXPECT_EQ(render({"--center-on", "Beta", "--center", "1,1"}, "both.png"), 2);
    EXPECT_NE(m_err.str().find("--center and --center-on do not go together"), std::string::npos);
    // A route picture centred on a planet rather than fitted.
    EXPECT_EQ(Run({"--route", "Alpha", "Beta", "--jump", "20", "--size", "200x150", "--zoom", "500", "--center-on",
                   "Beta", "-o", (m_dir.Path() / "route.png").string(), m_map}), 0) << m_err.str();
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("--center-on NAME"), std::string::npos);
    EXPECT_NE(m_out.str().find("--center 120,-340"), std::string::npos);
}
