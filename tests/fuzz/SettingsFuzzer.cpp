// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the settings reader, both as a whole settings
// file and as one value, and checks what must hold for any input: no crash
// or leak (the sanitizers); a file read and written with nothing changed
// comes back byte for byte; a value of any bytes comes back exactly, set in
// an empty store or among any other lines; the lines the program writes of
// its own are UTF-8 without control bytes or a second section header per
// section; and the recent list read from any text holds only absolute paths
// without NUL and shows them on one line each.

#include "platform/framework/RecentFileList.h"
#include "platform/framework/Settings.h"
#include "platform/surface/TextEscape.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fault(const char* what)
{
    std::fprintf(stderr, "settings_fuzzer: %s\n", what);
    std::abort();
}

void CheckWrittenText(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F)
            Fault("a control byte in the written file");
        size_t length = Utf8CharLength(text, i);
        if (length == 0)
            Fault("the written file is not UTF-8");
        i += length;
    }
}

void CheckRecentList(const CSettings& settings)
{
    CRecentFileList list;
    list.ReadList(settings);
    for (int i = 0; i < list.GetSize(); ++i)
        if (list[i].empty() || list[i][0] != '/' || list[i].find('\0') != std::string::npos)
            Fault("an implausible recent file was kept");
    for (const std::string& entry : list.MenuEntries())
        if (entry.find_first_of("\n\r") != std::string::npos)
            Fault("a menu entry spans lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    CSettings asFile;
    asFile.Parse(bytes);
    if (asFile.Format() != bytes)
        Fault("a file with nothing changed did not come back byte for byte");
    CheckRecentList(asFile);

    CSettings asValue;
    asValue.SetString("Recent File List", "File1", bytes);
    asValue.SetInt("Settings", "PreviewPages", static_cast<int>(size));
    const std::string written = asValue.Format();
    CheckWrittenText(written);
    CSettings back;
    back.Parse(written);
    if (back.Format() != written)
        Fault("the written file does not read back to itself");
    if (back.GetString("Recent File List", "File1") != bytes)
        Fault("a value did not come back exactly");
    if (back.GetInt("Settings", "PreviewPages", -1) != static_cast<int>(size))
        Fault("a number did not come back");
    CheckRecentList(back);

    asFile.SetString("Recent File List", "File1", "/maps/a.dat");
    CSettings among;
    among.Parse(asFile.Format());
    if (among.GetString("Recent File List", "File1") != "/maps/a.dat")
        Fault("a value set among other lines did not come back");
    return 0;
}
