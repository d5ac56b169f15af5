// SPDX-License-Identifier: MIT
#include "CommandLineHelp.h"

#include "res/Version.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

const char* const kUsage =
    "Usage: kestrin [FILE]\n"
    "       kestrin -p FILE\n"
    "       kestrin -pt FILE PRINTER DRIVER PORT\n"
    "       kestrin -unregister\n"
    "View the star map in a planet data file (*.dat), or an empty map without FILE.\n"
    "\n"
    "  FILE                          open this data file in the window\n"
    "  -p FILE                       print FILE on the default printer and exit\n"
    "  -pt FILE PRINTER DRIVER PORT  print FILE on the printer named PRINTER and exit;\n"
    "                                DRIVER is not used, PORT is named while printing\n"
    "  -unregister, -unregserver     delete the settings file and exit\n"
    "  -embedding, -automation       accepted; no effect\n"
    "  -dde                          ignored\n"
    "  --help                        print this help and exit\n"
    "  --version                     print the version and the licence and exit\n"
    "\n"
    "The switches above may also begin with \"/\" instead of \"-\" (not --help and\n"
    "--version); an argument that begins with \"/\" is a FILE when it names one that\n"
    "exists or holds a second \"/\". -p, -pt and -dde are lower case only; the others\n"
    "take any case. Other switches are ignored; only the first FILE counts.\n"
    "Exit status: 0 on success, 1 when FILE cannot be opened, printing fails, -p\n"
    "or -pt names no FILE, or this text cannot be written.\n"
    "Settings: $XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Kestrin.ini\n"
    "(~/.config/... without XDG_CONFIG_HOME; kept in memory only without HOME).\n"
    "See kestrin(1).\n";

} // namespace

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, std::ostream& out)
{
    for (const std::string& arg : args) {
        if (arg == "--help") {
            out << kUsage;
            return 0;
        }
        if (arg == "--version") {
            out << "Kestrin " << kKestrinVersion << '\n' << kKestrinLicence << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

bool CloseStandardOutput(std::ostream& err)
{
    errno = 0;
    std::cout.flush();
    int failure = std::cout ? 0 : errno;
    if (std::fclose(stdout) != 0 && failure == 0)
        failure = errno;
    if (!std::cout && failure == 0)
        failure = EIO;
    if (failure == 0)
        return true;
    err << "kestrin: cannot write to standard output: " << std::strerror(failure) << '\n';
    return false;
}
