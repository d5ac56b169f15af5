// SPDX-License-Identifier: MIT
// Feeds arbitrary arguments to the command-line parser: the input is cut
// into arguments at NUL bytes. Checks what must hold for any command line:
// no crash (the sanitizers); the same result twice; Open exactly when a file
// name was given and no print or unregister switch; a file name that is one
// of the arguments, never a "-" switch; printer arguments only after a file
// name (a later "p" may still make them unused).

#include "platform/framework/CommandLineInfo.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fault(const char* what)
{
    std::fprintf(stderr, "cmdline_fuzzer: %s\n", what);
    std::abort();
}

std::vector<std::string> Arguments(const std::string& bytes)
{
    std::vector<std::string> args;
    size_t start = 0;
    while (start <= bytes.size() && args.size() < 64) {
        size_t end = bytes.find('\0', start);
        args.push_back(bytes.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return args;
}

bool Same(const CCommandLineInfo& a, const CCommandLineInfo& b)
{
    return a.m_nShellCommand == b.m_nShellCommand && a.m_strFileName == b.m_strFileName &&
           a.m_strPrinterName == b.m_strPrinterName && a.m_strDriverName == b.m_strDriverName &&
           a.m_strPortName == b.m_strPortName && a.m_bRunEmbedded == b.m_bRunEmbedded &&
           a.m_bRunAutomated == b.m_bRunAutomated;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> args = Arguments(std::string(reinterpret_cast<const char*>(data), size));
    CCommandLineInfo info, again;
    info.Parse(args);
    again.Parse(args);
    if (!Same(info, again))
        Fault("two parses of one command line differ");
    const std::string& file = info.m_strFileName;
    if ((info.m_nShellCommand == CCommandLineInfo::FileOpen) != (!file.empty() && info.m_nShellCommand != CCommandLineInfo::FilePrint &&
                                                               info.m_nShellCommand != CCommandLineInfo::FilePrintTo &&
                                                               info.m_nShellCommand != CCommandLineInfo::AppUnregister))
        Fault("Open without a file, or a file left unopened");
    if (!file.empty() && (file[0] == '-' || std::find(args.begin(), args.end(), file) == args.end()))
        Fault("the file name is not one of the plain arguments");
    bool printer = !info.m_strPrinterName.empty() || !info.m_strDriverName.empty() || !info.m_strPortName.empty();
    if (printer && file.empty())
        Fault("printer arguments before a file name");
    return 0;
}
