// SPDX-License-Identifier: MIT
#include "platform/framework/CommandLineInfo.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// "-" always starts a switch. "/" also starts absolute paths, so it starts
// a switch only when the rest names nothing that exists and holds no further
// slash: "/P" and "/zzz" are switches, "/home/me/maps/a.dat" is a file name
// even when missing (and is then reported as missing). A lone "-" or "/" is
// a switch that nothing knows, so it is ignored.
bool IsSwitch(const std::string& arg)
{
    if (arg.empty() || (arg[0] != '-' && arg[0] != '/'))
        return false;
    if (arg[0] == '-' || arg.size() == 1)
        return true;
    struct stat st;
    return arg.find('/', 1) == std::string::npos && ::lstat(arg.c_str(), &st) != 0;
}

} // namespace

void CCommandLineInfo::Parse(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (IsSwitch(arg))
            ParseSwitch(arg.substr(1));
        else
            ParseArgument(arg);
    }
    if (m_nShellCommand == FileNew && !m_strFileName.empty())
        m_nShellCommand = FileOpen;
}

void CCommandLineInfo::ParseSwitch(const std::string& name)
{
    std::string lower = Lower(name);
    if (name == "p") {
        m_nShellCommand = FilePrint;
    } else if (name == "pt") {
        m_nShellCommand = FilePrintTo;
    } else if (lower == "unregister" || lower == "unregserver") {
        m_nShellCommand = AppUnregister;
    } else if (lower == "embedding") {
        m_bRunEmbedded = true;
    } else if (lower == "automation") {
        m_bRunAutomated = true;
    }
    // "dde" and every other switch are ignored: the program offers no DDE.
}

void CCommandLineInfo::ParseArgument(const std::string& arg)
{
    if (m_strFileName.empty()) {
        m_strFileName = arg;
        return;
    }
    if (m_nShellCommand != FilePrintTo)
        return;
    switch (m_printArgs++) {
    case 0: m_strPrinterName = arg; break;
    case 1: m_strDriverName = arg; break;
    case 2: m_strPortName = arg; break;
    default: break;
    }
}
