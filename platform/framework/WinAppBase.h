// SPDX-License-Identifier: MIT
#pragma once

// The application object without printing: one per program. Run calls
// InitInstance, then the event loop until the main frame closes or SIGTERM
// or SIGHUP arrives, then ExitInstance, which writes the settings back. The
// desktop session's end (OnSessionEnd) writes them too, and the program
// goes on.
//
// The print layer's CWinApp (platform/print/WinApp.h) adds the printer
// choice and printing from the command line; programs derive from that.

#include "platform/framework/CmdTarget.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/Settings.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CFrameWnd;
class CSingleDocTemplate;

class CWinAppBase : public CCmdTarget {
public:
    CWinAppBase();
    ~CWinAppBase() override;

    // Runs the program; returns its exit status.
    int Run(const std::vector<std::string>& args);

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The desktop session is ending: the settings are written now.
    void OnSessionEnd();

    void SetRegistryKey(const std::string& key);
    // Reads the settings: the recent-file list of that many entries and the
    // print-preview page count.
    void LoadStdProfileSettings(int maxRecentFiles = 4);
    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    void ParseCommandLine(CCommandLineInfo& info);
    // New, Open, print or unregister as the command line asks; false when
    // the program must end.
    virtual BOOL ProcessShellCommand(CCommandLineInfo& info);
    // Opens a file as File Open does; nullptr when it could not be opened.
    CDocument* OpenDocumentFile(const std::string& path);

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT id);

    CFrameWnd* GetMainWnd() const { return m_pMainWnd; }
    CSingleDocTemplate* GetDocTemplate() const { return m_pTemplate.get(); }
    CSettings& GetSettings() { return m_settings; }
    CRecentFileList& GetRecentFileList() { return m_recentFiles; }
    int GetProfileInt(const std::string& section, const std::string& entry, int def) const;
    void WriteProfileInt(const std::string& section, const std::string& entry, int value);

    // Called by the framework when a command has run or a message was
    // handled: refreshes the command states of the main frame.
    void OnIdle();

    static CWinAppBase* Get();

    CFrameWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = 5;  // SW_SHOW
    std::string m_pszAppName = "Kestrin";
    std::vector<std::string> m_args;

protected:
    // Prints the open document as the print switches ask. The print layer
    // supplies it; without one nothing prints.
    virtual BOOL PrintFromCommandLine(CCommandLineInfo&) { return FALSE; }
    // The print switches: opens the file hidden, enters it in the recent
    // list like any file opened, and prints it.
    bool OpenAndPrint(CCommandLineInfo& info);
    void AddToRecentFiles(CDocument* doc);
    void RefreshRecentFileMenu();
    // Writes the recent list and the settings, unless unregistering.
    void SaveStdProfileSettings();

    CSettings m_settings;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CSingleDocTemplate> m_pTemplate;
    // The program's exit status when InitInstance ends it at once.
    int m_nExitCode = 1;
    bool m_writeSettings = true;
    bool m_settingsLoaded = false;
};

CWinAppBase* AfxGetApp();
