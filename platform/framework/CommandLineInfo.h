// SPDX-License-Identifier: MIT
#pragma once

// The command line as the framework reads it: switches begin with "/" or
// "-" (an argument that begins with "/" and names an existing file, or has
// a second slash, is a file name); the other arguments are a file name and,
// for "pt", the printer's name, driver and port. "p" or "pt" without a file
// name leaves m_strFileName empty, which ends the program.

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum Command { FileNew, FileOpen, FilePrint, FilePrintTo, AppUnregister, FileNothing };

    void Parse(const std::vector<std::string>& args);

    Command m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;

private:
    void ParseSwitch(const std::string& name);
    void ParseArgument(const std::string& arg);
    int m_printArgs = 0;
};
