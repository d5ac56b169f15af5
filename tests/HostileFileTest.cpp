// SPDX-License-Identifier: MIT
// Files a viewer is handed in the wild: huge, binary, endless, unreadable,
// or changed under it. Whatever arrives, the load ends quickly with a clear
// result, memory stays flat, and the document keeps what it had.

#include "model/KestrinDoc.h"
#include "platform/framework/MessageBox.h"
#include "platform/surface/Image.h"

#include "ProcessMemory.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Cause = CLoadDiagnostic::Cause;

struct Loaded {
    BOOL ok = FALSE;
    CLoadDiagnostic diagnostic;
    std::vector<CPlanet> planets;
};

Loaded Load(const std::string& path)
{
    CStarMap map;
    Loaded r;
    r.ok = map.LoadDataFile(path.c_str(), &r.diagnostic);
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i)
        r.planets.push_back(map.GetPlanet(i));
    return r;
}

// Writes block repeats times in a row with plain writes: no copy of the
// whole file is ever held in memory.
void WriteRepeated(const std::string& path, const std::string& block, int repeats)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < repeats; ++i)
        ASSERT_EQ(::write(fd, block.data(), block.size()), static_cast<ssize_t>(block.size()));
    ::close(fd);
}

// Kills the test process instead of letting a blocked open hang the suite.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
    ~Watchdog() { ::alarm(0); }
};

// Gives up the root user's effective id for a while, keeping the saved id
// so that it can come back; the kernel checks file access by the effective
// id, so permission bits then apply.
class EffectiveUser {
public:
    EffectiveUser() = default;
    ~EffectiveUser()
    {
        if (m_dropped && ::seteuid(0) != 0)
            std::abort();
    }
    EffectiveUser(const EffectiveUser&) = delete;
    EffectiveUser& operator=(const EffectiveUser&) = delete;
    bool Drop()
    {
        constexpr uid_t kNobody = 65534;
        m_dropped = ::seteuid(kNobody) == 0;
        return m_dropped;
    }

private:
    bool m_dropped = false;
};

// True when drawing the map changed at least one pixel of a black image.
bool DrawsSomething(CStarMap& map)
{
    CImage image(320, 240, RGB(0, 0, 0));
    CDC dc;
    if (!dc.AttachImage(image))
        return false;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(4000, 4000);
    dc.SetViewportExt(320, 240);
    dc.SetViewportOrg(160, 120);
    map.Draw(&dc, TRUE, TRUE);
    return image.CountDifferences(CImage(320, 240, RGB(0, 0, 0))) > 0;
}

class HostileFile : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (m_dir.Path() / name).string(); }
    TempDir m_dir;
};

class HostileOpen : public HostileFile {
protected:
    void SetUp() override
    {
        m_previous = SetMessageBoxHook([this](const std::string& text, UINT) {
            m_messages.push_back(text);
            return IDOK;
        });
        ASSERT_TRUE(m_doc.OnNewDocument());
        ASSERT_EQ(m_doc.OpenDocumentFile(m_dir.Write("good.dat", "Veyra 1 2 VH\nOssic 3 4 QT\n")),
                  CDocument::OpenResult::Opened);
        m_doc.m_pMap->AddMeasureLine(0, 0, 100, 0, 5);
        m_doc.m_pMap->AddMeasureLine(0, 0, 0, 200, 10);
        m_map = m_doc.m_pMap;
    }
    void TearDown() override { SetMessageBoxHook(m_previous); }

    // The open failed with one message and left the good map as it was.
    void ExpectRefusedAndKept(const std::string& path)
    {
        m_messages.clear();
        EXPECT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::Failed) << path;
        EXPECT_EQ(m_messages.size(), 1u) << path;
        EXPECT_EQ(m_doc.m_pMap, m_map) << path;
        EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 2) << path;
        EXPECT_EQ(m_doc.m_pMap->GetMeasureLineCount(), 2) << path;
        EXPECT_EQ(m_doc.GetTitle(), "good.dat") << path;
    }

    CKestrinDoc m_doc;
    CStarMap* m_map = nullptr;
    std::vector<std::string> m_messages;
    MessageBoxHook m_previous;
};

} // namespace

TEST_F(HostileFile, A200MegabyteLineFailsFastInFlatMemory)
{
    constexpr int kMegabytes = 200;
    // One line of name characters: the first piece is a name without
    // coordinates, so the load must stop there instead of reading the line.
    std::string words = PathOf("words.dat");
    WriteRepeated(words, std::string(1 << 20, 'x'), kMegabytes);
    ProcessMemory::ResetPeak();
    long before = ProcessMemory::PeakKb();
    Loaded r = Load(words);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.diagnostic.cause, Cause::NameWithoutCoordinates);
    EXPECT_EQ(r.diagnostic.line, 1);
    EXPECT_TRUE(r.planets.empty());
    EXPECT_LT(ProcessMemory::PeakKb() - before, 16 * 1024);
    std::filesystem::remove(words);

    // One line of 79-character comment pieces with a bad piece at its end:
    // the reader walks all of it in fixed chunks before it fails. A quarter
    // of the size is enough to tell chunks from a line held whole.
    std::string comments = PathOf("comments.dat");
    std::string piece = ";" + std::string(78, 'c');
    std::string block;
    for (int i = 0; i < 8192; ++i)
        block += piece;
    int repeats = kMegabytes / 4 * (1 << 20) / static_cast<int>(block.size());
    WriteRepeated(comments, block, repeats);
    {
        std::ofstream tail(comments, std::ios::binary | std::ios::app);
        tail << "Lonely";
    }
    ProcessMemory::ResetPeak();
    before = ProcessMemory::PeakKb();
    r = Load(comments);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.diagnostic.cause, Cause::NameWithoutCoordinates);
    EXPECT_EQ(r.diagnostic.line, 1);
    EXPECT_LT(ProcessMemory::PeakKb() - before, 16 * 1024);
}

TEST_F(HostileFile, AMillionLinesKeepTheFirst32767Planets)
{
    std::string path = PathOf("million.dat");
    std::string block;
    for (int i = 0; i < 1000; ++i)
        block += "Outpost N" + std::to_string(i) + " 12 -34 KOR\n";
    WriteRepeated(path, block, 1000);
    ProcessMemory::ResetPeak();
    long before = ProcessMemory::PeakKb();
    CStarMap map;
    CLoadDiagnostic diagnostic;
    EXPECT_FALSE(map.LoadDataFile(path.c_str(), &diagnostic));
    EXPECT_EQ(diagnostic.cause, Cause::TooManyPlanets);
    EXPECT_EQ(diagnostic.line, 32768);
    // The count stays positive in 16 bits, so the map still counts as full.
    EXPECT_EQ(map.GetPlanetCount(), 32767);
    EXPECT_TRUE(map.HasPlanets());
    EXPECT_EQ(map.GetPlanet(32766).m_strName, "Outpost N766");
    EXPECT_EQ(map.FindPlanet("Outpost N999"), CPoint(120, 340));
    // The rest of the file is never read into memory.
    EXPECT_LT(ProcessMemory::PeakKb() - before, 64 * 1024);
}

TEST_F(HostileFile, NulBytesEndThePieceTextButCountAsCharacters)
{
    using namespace std::string_literals;
    // A NUL after the code is harmless; one inside a name cuts the name off
    // before its coordinates; one at the start makes a blank line.
    Loaded tail = Load(m_dir.Write("tail.dat", "Veyra 1 2 VH\0rubbish\nOssic 3 4 QT\n"s));
    EXPECT_TRUE(tail.ok);
    ASSERT_EQ(tail.planets.size(), 2u);
    EXPECT_EQ(tail.planets[0].m_strFaction, "VH");
    Loaded inName = Load(m_dir.Write("name.dat", "Veyra 1 2 VH\nOs\0sic 3 4 QT\nTalun 5 6 E\n"s));
    EXPECT_FALSE(inName.ok);
    EXPECT_EQ(inName.diagnostic.cause, Cause::NameWithoutCoordinates);
    EXPECT_EQ(inName.diagnostic.line, 2);
    EXPECT_EQ(inName.planets.size(), 1u);
    EXPECT_EQ(Load(m_dir.Write("lead.dat", "\0Veyra 1 2 VH\n"s)).diagnostic.cause, Cause::BlankLine);
    // NULs count towards the 79 characters of a piece: 78 characters and
    // the line end fit, 79 leave the line end as a blank piece of its own.
    Loaded fits = Load(m_dir.Write("fits.dat", "Veyra 1 2 VH" + std::string(66, '\0') + "\nOssic 3 4 QT\n"));
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.planets.size(), 2u);
    Loaded over = Load(m_dir.Write("over.dat", "Veyra 1 2 VH" + std::string(67, '\0') + "\nOssic 3 4 QT\n"));
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.diagnostic.cause, Cause::BlankLine);
    EXPECT_EQ(over.planets.size(), 1u);
}

TEST_F(HostileFile, CtrlZEndsTheFileWhereverItIs)
{
    using namespace std::string_literals;
    for (const std::string& bytes : {"\x1a"s, "\x1a\x1a\x1a\n\n\n"s, "\x1a\0\xff\r\r\r"s}) {
        Loaded r = Load(m_dir.Write("z.dat", bytes));
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.planets.empty());
    }
    Loaded r = Load(m_dir.Write("late.dat", "Veyra 1 2 VH\nOssic 3 4\x1a QT\n\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.diagnostic.cause, Cause::NoFactionCode);
    EXPECT_EQ(r.planets.size(), 1u);
}

TEST_F(HostileFile, CrOnlyLineEndsMakeOneLineReadIn79CharacterPieces)
{
    std::string line = "Alpha 1 2 VH\r";  // 13 characters
    std::string ten;
    for (int i = 0; i < 10; ++i)
        ten += line;
    // Piece one: six lines and an "A"; piece two starts at "lpha".
    Loaded r = Load(m_dir.Write("ten.dat", ten));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.planets.size(), 2u);
    EXPECT_EQ(r.planets[0].m_strName, "Alpha");
    EXPECT_EQ(r.planets[1].m_strName, "lpha");
    EXPECT_EQ(r.planets[1].m_x, 10);

    // Every piece of a long file of such lines holds whole lines, so each
    // one is some planet, whichever token it starts in.
    std::string path = PathOf("long.dat");
    WriteRepeated(path, line, 13000);
    CLoadDiagnostic diagnostic;
    CStarMap map;
    EXPECT_TRUE(map.LoadDataFile(path.c_str(), &diagnostic)) << CLoadDiagnostic::Describe(diagnostic.cause);
    EXPECT_EQ(map.GetPlanetCount(), (13 * 13000 + 78) / 79);
}

TEST_F(HostileFile, LineEndsAcrossTheReadersChunksAreReadAsAnywhere)
{
    // Comment lines up to just before the reader's 64 KiB chunk boundary,
    // then a 79-character comment piece whose last character, a CR, is the
    // chunk's last byte.
    constexpr size_t kChunk = 64 * 1024;
    std::string prefix;
    while (kChunk - 79 - prefix.size() > 78)
        prefix += ";" + std::string(76, 'c') + "\n";
    prefix += ";" + std::string(kChunk - 79 - prefix.size() - 2, 'c') + "\n";
    prefix += ";" + std::string(77, 'c') + "\r";
    ASSERT_EQ(prefix.size(), kChunk);
    // An LF in the next chunk joins the CR into one line end.
    Loaded joined = Load(m_dir.Write("crlf.dat", prefix + "\nVeyra 1 2 VH\n"));
    EXPECT_TRUE(joined.ok) << CLoadDiagnostic::Describe(joined.diagnostic.cause);
    ASSERT_EQ(joined.planets.size(), 1u);
    EXPECT_EQ(joined.planets[0].m_strName, "Veyra");
    EXPECT_EQ(joined.planets[0].m_x, 10);
    // A lone CR ends the piece; the next chunk's first byte starts the next.
    Loaded lone = Load(m_dir.Write("cr.dat", prefix + "Veyra 1 2 VH\n"));
    EXPECT_TRUE(lone.ok);
    ASSERT_EQ(lone.planets.size(), 1u);
    EXPECT_EQ(lone.planets[0].m_strName, "Veyra");
}

TEST_F(HostileFile, HighBytesInNamesAreKeptAndDrawn)
{
    std::string all;
    for (int b = 0x80; b <= 0xFF; ++b)
        all.push_back(static_cast<char>(b));
    const std::vector<std::string> names = {
        all.substr(0, 60), all.substr(60, 60), all.substr(120),
        "Caf\xC3\xA9", "\xC3", "\xE2\x82", "\xEF\xBB\xBF" "Bom", "\xF4\x90\x80\x80", "\xED\xA0\x80",
    };
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += names[i] + " " + std::to_string(i * 20) + " " + std::to_string(i * 10) + " VH\n";
    CStarMap map;
    ASSERT_TRUE(map.LoadDataFile(m_dir.Write("high.dat", text).c_str()));
    ASSERT_EQ(map.GetPlanetCount(), static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(map.GetPlanet(static_cast<std::int16_t>(i)).m_strName, names[i]) << i;
        EXPECT_EQ(map.FindPlanet(names[i]), CPoint(static_cast<int>(i) * 200, static_cast<int>(i) * -100));
    }
    EXPECT_TRUE(DrawsSomething(map));
}

TEST_F(HostileFile, HugeCoordinatesFailTheLineWithoutOverflow)
{
    const std::string digits(70, '9');
    const std::pair<std::string, Cause> cases[] = {
        {"Big 99999999999 6 VH\n", Cause::CoordinateOutOfRange},
        {"Big 6 99999999999 VH\n", Cause::CoordinateOutOfRange},
        {"Big -99999999999 6 VH\n", Cause::CoordinateOutOfRange},
        {"Big 6 +99999999999.5 VH\n", Cause::CoordinateOutOfRange},
        {digits + " 0 VH\n", Cause::CoordinateOutOfRange},
        // A "+" makes a name word, so this is a name with no coordinates.
        {"+99999999999\n", Cause::NameWithoutCoordinates},
    };
    for (const auto& [line, cause] : cases) {
        Loaded r = Load(m_dir.Write("big.dat", "Veyra 1 2 VH\n" + line + "Ossic 3 4 QT\n"));
        EXPECT_FALSE(r.ok) << line;
        EXPECT_EQ(r.diagnostic.cause, cause) << line;
        EXPECT_EQ(r.diagnostic.line, 2) << line;
        EXPECT_EQ(r.planets.size(), 1u) << line;
    }
    Loaded r = Load(m_dir.Write("name.dat", "+99999999999 -0 -0000000000000000000007 VH\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.planets[0].m_strName, "+99999999999");
    EXPECT_EQ(r.planets[0].m_x, 0);
    EXPECT_EQ(r.planets[0].m_y, 70);
}

TEST_F(HostileOpen, FoldersPipesAndDevicesAreRefusedWithoutBlocking)
{
    Watchdog watchdog(20);
    std::string fifo = PathOf("pipe.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ExpectRefusedAndKept(m_dir.Path().string());
    ExpectRefusedAndKept(fifo);
    // With a writer that has sent data and keeps the pipe open, a read
    // would not block but never end; it is still not a data file.
    int writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "Veyra 1 2 VH\n", 13), 13);
    ExpectRefusedAndKept(fifo);
    ::close(writer);
    ExpectRefusedAndKept("/dev/zero");
    // The loader makes the same check itself when it reopens the path.
    CStarMap map;
    CLoadDiagnostic diagnostic;
    EXPECT_FALSE(map.LoadDataFile(fifo.c_str(), &diagnostic));
    EXPECT_EQ(diagnostic.cause, Cause::CannotOpen);
}

TEST_F(HostileOpen, AnUnreadableFileIsRefusedAndTheMapKept)
{
    std::string secret = m_dir.Write("secret.dat", "Hidden 1 2 VH\n");
    ASSERT_EQ(::chmod(secret.c_str(), 0), 0);
    // Permission bits do not stop root, so root gives up its effective user
    // id (keeping the saved one to come back) for the open; the folder is
    // opened for traversal only.
    EffectiveUser unprivileged;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0711), 0);
        if (!unprivileged.Drop())
            GTEST_SKIP() << "cannot leave the root user here";
    }
    ExpectRefusedAndKept(secret);
    EXPECT_EQ(m_messages[0], "Access to " + secret + " was denied.");
    // The loader itself reports the same file as one it cannot open.
    CStarMap map;
    EXPECT_FALSE(map.LoadDataFile(secret.c_str()));
}

TEST_F(HostileOpen, AFileDeletedOrTruncatedAfterItsOpenLeavesTheMapAsLoaded)
{
    std::string path = m_dir.Write("changing.dat", "Veyra 10 20 VH\nOssic 30 40 QT\nTalun 5 6 E\n");
    ASSERT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::Opened);
    m_doc.m_pMap->AddMeasureLine(0, 0, 100, 0, 5);
    CStarMap* loaded = m_doc.m_pMap;
    ASSERT_EQ(::truncate(path.c_str(), 5), 0);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 3);
    EXPECT_EQ(m_doc.m_pMap->FindPlanet("Talun"), CPoint(50, -60));
    // The same path is the open document: it is not read again.
    EXPECT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::AlreadyOpen);
    ASSERT_TRUE(std::filesystem::remove(path));
    EXPECT_EQ(m_doc.OpenDocumentFile(path), CDocument::OpenResult::AlreadyOpen);
    EXPECT_EQ(m_doc.m_pMap, loaded);
    EXPECT_EQ(m_doc.m_pMap->GetPlanetCount(), 3);
    EXPECT_EQ(m_doc.m_pMap->GetMeasureLineCount(), 1);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(DrawsSomething(*m_doc.m_pMap));
}
