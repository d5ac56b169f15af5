// SPDX-License-Identifier: MIT
// What kestrin-render leaves at its output path when it cannot write there:
// whatever stood at -o is still there, byte for byte, for every kind of
// output, and no file of its own making is left behind.

#include "tools/OutputTypes.h"
#include "tools/Renderer.h"

#include "platform/surface/OutputFile.h"

#include "Subprocess.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kPrecious = "precious bytes, not a picture\n";

// The arguments that write each kind of output to out; a kind "page.X" is
// the printed page written as X.
std::vector<std::string> OutputArgs(const std::string& kind, const std::string& out, const std::string& map)
{
    if (kind.starts_with("poster."))
        return {"--print", "--pages", "2x2", "--dpi", "30", "-o", out, map};
    if (FindOutputType("." + kind)->pageOnly || kind.starts_with("page."))
        return {"--print", "--dpi", "30", "-o", out, map};
    if (!FindOutputType("." + kind)->sized)
        return {"-o", out, map};
    return {"--size", "64x48", "-o", out, map};
}

// Every ending in the table, without its dot, and the printed page as an
// image, as SVG and as PDF, which the print job writes through devices of
// its own.
std::vector<std::string> EveryKind()
{
    std::vector<std::string> kinds;
    for (const OutputType& t : AllOutputTypes())
        kinds.push_back(t.ending + 1);
    kinds.push_back("page.png");
    kinds.push_back("page.svg");
    kinds.push_back("poster.pdf");  // the pages of a poster as one PDF
    kinds.push_back("page.pdf");
    return kinds;
}

class RenderOutput : public ::testing::TestWithParam<std::string> {
protected:
    int Run(const std::string& out, const std::string& map)
    {
        m_err.str("");
        return RenderMain(OutputArgs(GetParam(), out, map), m_err);
    }
    std::string Out(const std::string& stem) const { return (m_dir.Path() / (stem + "." + GetParam())).string(); }
    // Names in the folder other than those the test made.
    std::vector<std::string> Strays(const std::vector<std::string>& made) const
    {
        std::vector<std::string> strays;
        for (const auto& e : fs::directory_iterator(m_dir.Path())) {
            std::string name = e.path().filename().string();
            if (std::find(made.begin(), made.end(), name) == made.end())
                strays.push_back(name);
        }
        return strays;
    }
    void ExpectRefused(const std::string& what)
    {
        EXPECT_NE(m_err.str().find("cannot write"), std::string::npos) << what << ": " << m_err.str();
        EXPECT_EQ(m_err.str().find('\n'), m_err.str().size() - 1) << what << ": one line";
    }

    TempDir m_dir;
    std::ostringstream m_err;
    std::string m_map = m_dir.Write("m.dat", "Hub 0 0 QT\nMorvath 30 -20 VR\n");
};

} // namespace

TEST_P(RenderOutput, TheInputItselfIsRefusedThroughAnyLink)
{
    const std::string data = ReadWholeFile(m_map);
    fs::create_symlink(m_map, Out("link"));
    fs::create_hard_link(m_map, Out("hard"));
    for (const std::string& out : {Out("link"), Out("hard")}) {
        EXPECT_EQ(Run(out, m_map), 2) << out;
        ExpectRefused(out);
        EXPECT_NE(m_err.str().find("input"), std::string::npos) << m_err.str();
        EXPECT_EQ(ReadWholeFile(m_map), data);
    }
    EXPECT_TRUE(fs::is_symlink(Out("link")));
    EXPECT_TRUE(Strays({"m.dat", "link." + GetParam(), "hard." + GetParam()}).empty());
}

TEST_P(RenderOutput, ReadOnlyFilesFoldersPipesAndMissingFoldersAreLeftAsTheyWere)
{
    ::alarm(60);  // a writer blocked on the pipe would hang the suite
    std::string readOnly = m_dir.Write("ro." + GetParam(), kPrecious);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    fs::create_directory(Out("folder"));
    ASSERT_EQ(::mkfifo(Out("pipe").c_str(), 0644), 0);
    std::string missing = (m_dir.Path() / "missing" / ("out." + GetParam())).string();
    for (const std::string& out : {readOnly, Out("folder"), Out("pipe"), missing}) {
        EXPECT_EQ(Run(out, m_map), 2) << out;
        ExpectRefused(out);
    }
    ::alarm(0);
    EXPECT_EQ(ReadWholeFile(readOnly), kPrecious);
    EXPECT_TRUE(fs::is_directory(Out("folder")));
    EXPECT_TRUE(fs::is_fifo(Out("pipe")));
    EXPECT_FALSE(fs::exists(missing.substr(0, missing.rfind('/'))));
    EXPECT_NE(m_err.str().find("No such file or directory"), std::string::npos) << m_err.str();
    // A device, here through a link, is refused by its kind before it is opened.
    fs::create_symlink("/dev/full", Out("device"));
    EXPECT_EQ(Run(Out("device"), m_map), 2);
    EXPECT_NE(m_err.str().find("not a regular file"), std::string::npos) << m_err.str();
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(Strays({"m.dat", "ro." + GetParam(), "folder." + GetParam(), "pipe." + GetParam(),
                        "device." + GetParam()})
                    .empty());
}

TEST_P(RenderOutput, AnExistingFileIsReplacedWholeAndKeepsItsMode)
{
    std::string out = m_dir.Write("old." + GetParam(), kPrecious);
    ASSERT_EQ(::chmod(out.c_str(), 0640), 0);
    ASSERT_EQ(Run(out, m_map), 0) << m_err.str();
    std::string bytes = ReadWholeFile(out);
    EXPECT_GT(bytes.size(), 40u);
    EXPECT_NE(bytes, kPrecious);
    const std::string ending = GetParam().substr(GetParam().rfind('.') + 1);
    const std::map<std::string, std::string> magic = {{"pdf", "%PDF"}, {"png", "\x89PNG"}, {"svg", "<?xml"}};
    if (magic.count(ending)) {
        EXPECT_EQ(bytes.substr(0, magic.at(ending).size()), magic.at(ending));
    }
    struct stat st;
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(Strays({"m.dat", "old." + GetParam()}).empty());
}

TEST_P(RenderOutput, AFullDiskExitsTwoNamingTheReasonAndKeepsTheOldFile)
{
    fs::path full = m_dir.Path() / "full";
    fs::path log = m_dir.Path() / "log";
    std::string out = "$FULL/out." + GetParam();
    std::string args;
    for (const std::string& a : OutputArgs(GetParam(), out, m_map))
        args += " \"" + a + "\"";
    // The tmpfs goes with the namespace, so what it held is copied out.
    std::string script = "printf '" + std::string(kPrecious).substr(0, 15) + "' > \"$FULL/out." + GetParam() +
                         "\"\nfill\n\"$RENDER\"" + args + "\necho $? > \"$FULL/../status\"\n" +
                         "cp \"$FULL/out." + GetParam() + "\" \"$FULL/../kept\"\nls -A \"$FULL\" > \"$FULL/../left\"\n";
    ProcessResult r = RunOnFullDisk(full, script, {"RENDER=" KESTRIN_RENDER_BIN}, log);
    if (r.status == kFullDiskRefused)
        GTEST_SKIP() << "no private mount namespace with a tmpfs here";
    ASSERT_TRUE(r.finished) << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "status"), "2\n") << ReadWholeFile(log);
    EXPECT_NE(ReadWholeFile(log).find("out." + GetParam() + ": No space left on device\n"), std::string::npos)
        << ReadWholeFile(log);
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "kept"), std::string(kPrecious).substr(0, 15));
    EXPECT_EQ(ReadWholeFile(m_dir.Path() / "left"), "fill\nout." + GetParam() + "\n") << "no file of its own left";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RenderOutput, ::testing::ValuesIn(EveryKind()));

TEST(RenderOutputTypes, AnUnknownEndingNamesTheTypesWritten)
{
    TempDir dir;
    std::string map = dir.Write("m.dat", "Hub 0 0 QT\n");
    std::ostringstream err;
    std::string tiff = (dir.Path() / "a.tiff").string();
    EXPECT_EQ(RenderMain({"-o", tiff, map}, err), 2);
    EXPECT_EQ(err.str(), "kestrin-render: cannot write " + tiff +
                             ": unknown output type; the types written are .png, .jpg, .bmp, .ppm, .svg, .html and .pdf\n");
    err.str("");
    std::string pdf = (dir.Path() / "a.PDF").string();
    EXPECT_EQ(RenderMain({"--size", "32x24", "-o", pdf, map}, err), 0) << "endings match in any case";
    EXPECT_EQ(RenderMain({"--print", "--dpi", "20", "-o", pdf, map}, err), 0);
    EXPECT_FALSE(fs::exists(tiff));
}

namespace {

// A map large enough that printing it to a page takes a while.
std::string CrowdedMap()
{
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "Planet" + std::to_string(i) + ' ' + std::to_string(i % 601 - 300) + ' ' +
                std::to_string(i / 601 % 601 - 300) + " QT\n";
    return text;
}

// Whether the file at path is a whole printed picture: a PDF file or an
// SVG picture to its end.
bool WholePicture(const fs::path& path)
{
    const std::string text = ReadWholeFile(path.string());
    const auto endsWith = [&](std::string_view end) { return text.ends_with(end); };
    return path.extension() == ".pdf" ? text.starts_with("%PDF-") && endsWith("%%EOF\n")
                                      : text.starts_with("<?xml") && endsWith("</svg>\n");
}

} // namespace

TEST(RenderOutputSignals, AnEndedPrintLeavesNoFileOfItsOwn)
{
    TempDir dir;
    const std::string map = dir.Write("m.dat", CrowdedMap());
    const std::string kept = (dir.Path() / "kept.pdf").string();
    int ended = 0;
    for (int signal : {SIGKILL, SIGTERM, SIGINT, SIGHUP})
        for (const char* out : {"out.pdf", "out.svg", "kept.pdf"})
            for (int delay : {100, 400}) {
                fs::remove(dir.Path() / "out.pdf");
                fs::remove(dir.Path() / "out.svg");
                dir.Write("kept.pdf", kPrecious);
                pid_t pid = StartProcess({KESTRIN_RENDER_BIN, "--print", "-o", (dir.Path() / out).string(), map});
                ASSERT_GT(pid, 0);
                std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                ::kill(pid, signal);
                ProcessResult r = WaitProcess(pid, 120);
                ASSERT_TRUE(r.finished);
                ended += r.status == 128 + signal;
                if (r.status == 0)
                    continue;  // it finished before the signal came
                // The signal may also come after the picture was put in
                // place, whole, as the program ends.
                bool whole = false;
                std::vector<std::string> names;
                for (const auto& e : fs::directory_iterator(dir.Path())) {
                    if (e.path().filename() == out && WholePicture(e.path()))
                        whole = true;
                    else
                        names.push_back(e.path().filename().string());
                }
                std::sort(names.begin(), names.end());
                const bool keptReplaced = whole && std::string(out) == "kept.pdf";
                const std::vector<std::string> left =
                    keptReplaced ? std::vector<std::string>{"m.dat"} : std::vector<std::string>{"kept.pdf", "m.dat"};
                EXPECT_EQ(names, left) << strsignal(signal) << ' ' << out;
                if (!keptReplaced) {
                    EXPECT_TRUE(ReadWholeFile(kept) == kPrecious) << strsignal(signal) << ' ' << out;
                }
            }
    EXPECT_GT(ended, 12) << "the signals came after the renders had ended";
}

TEST(RenderOutputRace, AFolderSwappedForALinkToTheInputsFolderLeavesTheDataFileAlone)
{
    TempDir dir;
    fs::create_directories(dir.Path() / "pictures");
    fs::create_directories(dir.Path() / "maps");
    // The data file has the picture's name, in another folder.
    const std::string data = "Hub 0 0 QT\nMorvath 30 -20 VR\n";
    const std::string input = dir.Write("maps/m.png", data);
    COutputFile::SetCheckedHook([&] {
        fs::rename(dir.Path() / "pictures", dir.Path() / "moved");
        fs::create_directory_symlink(dir.Path() / "maps", dir.Path() / "pictures");
    });
    std::ostringstream err;
    int status = RenderMain({"--size", "64x48", "-o", (dir.Path() / "pictures" / "m.png").string(), input}, err);
    COutputFile::SetCheckedHook(nullptr);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(ReadWholeFile(input), data) << "the data file was replaced through the swapped folder";
    EXPECT_EQ(ReadWholeFile(dir.Path() / "moved" / "m.png").substr(0, 4), "\x89PNG");
}

// -o - sends every kind of output to the standard output: the very bytes
// the file gets and nothing else, the messages on the standard error; a
// terminal is refused before anything is read.
TEST(RenderStandardOutput, GivesTheFilesBytesAndRefusesATerminal)
{
    TempDir dir;
    const std::string map = dir.Write("m.dat", "Hub 0 0 QT\nMorvath 30 -20 VR\nEast 20 0 VH\n");
    std::ostringstream out, err;
    auto run = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RenderMain(args, out, err);
    };
    for (const std::string& kind : EveryKind()) {
        const std::string file = (dir.Path() / ("out." + kind)).string();
        ASSERT_EQ(run(OutputArgs(kind, file, map)), 0) << kind << err.str();
        std::vector<std::string> args = OutputArgs(kind, "-", map);
        args.insert(args.begin(), {"--type", kind.substr(kind.rfind('.') + 1)});
        ASSERT_EQ(run(args), 0) << kind << err.str();
        EXPECT_EQ(out.str(), ReadWholeFile(file)) << kind;
        EXPECT_EQ(err.str(), "") << kind;
    }
    // PNG unless --type says otherwise.
    ASSERT_EQ(run({"--size", "64x48", "-o", "-", map}), 0);
    EXPECT_EQ(out.str(), ReadWholeFile(dir.Path() / "out.png"));
    // The data commands write there as they do without -o.
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--export", "csv"}, {"--check", "--json"}, {"--route", "Hub", "East", "--jump", "30", "--format", "json"},
             {"--near", "Hub", "--within", "50", "--format", "csv"}}) {
        args.push_back(map);
        const int status = run(args);
        const std::string plain = out.str();
        args.insert(args.end() - 1, {"-o", "-"});
        EXPECT_EQ(run(args), status) << args[0];
        EXPECT_EQ(out.str(), plain) << args[0];
        EXPECT_NE(plain, "") << args[0];
    }
    // Failures leave the standard output empty and say why in one line.
    const std::vector<std::vector<std::string>> refused = {
        {"--center-on", "Nowhere", "-o", "-", map}, {"--print", "--pages", "2x2", "-o", "-", map},
        {"--type", "tiff", "-o", "-", map},       {"--type", "svg", "-o", (dir.Path() / "a.png").string(), map},
        {"--export", "csv", "--type", "svg", "-o", "-", map}};
    for (const std::vector<std::string>& args : refused) {
        EXPECT_EQ(run(args), 2) << args[1];
        EXPECT_EQ(out.str(), "") << args[1];
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << err.str();
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "a.png"));
    // A terminal: the real program, its standard output on a pseudo-terminal.
    const std::string script = "import os, pty, subprocess, sys\n"
                               "m, s = pty.openpty()\n"
                               "p = subprocess.run(sys.argv[1:], stdout=s, stderr=subprocess.PIPE)\n"
                               "os.close(s)\n"
                               "os.set_blocking(m, False)\n"
                               "try:\n"
                               "    shown = os.read(m, 100)\n"
                               "except OSError:\n"
                               "    shown = b''\n"
                               "print(p.returncode, len(shown), p.stderr.decode().count('\\n'), p.stderr.decode())\n";
    const fs::path log = dir.Path() / "tty.log";
    ProcessResult r = RunProcess({"/usr/bin/python3", "-c", script, KESTRIN_RENDER_BIN, "-o", "-", map},
                                 {"QT_QPA_PLATFORM=offscreen"}, 60, log);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(ReadWholeFile(log).substr(0, 7), "2 0 1 k") << ReadWholeFile(log);
    EXPECT_NE(ReadWholeFile(log).find("is a terminal"), std::string::npos) << ReadWholeFile(log);
}
