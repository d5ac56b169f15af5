// SPDX-License-Identifier: MIT
#include "platform/framework/WinAppBase.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/ExitRequests.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/ResourceRegistry.h"

#include <QApplication>

namespace {

constexpr int kRecentCommands = 4;
constexpr const char* kNoFileToPrint =
    "No file to print was named.\nUse -p FILE, or -pt FILE PRINTER DRIVER PORT.";

CWinAppBase*& Current()
{
    static CWinAppBase* app = nullptr;
    return app;
}

} // namespace

CWinAppBase* CWinAppBase::Get() { return Current(); }
CWinAppBase* AfxGetApp() { return Current(); }

CWinAppBase::CWinAppBase()
{
    Current() = this;
    OnCommandId(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommandId(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommandId(ID_APP_EXIT, [this] { OnAppExit(); });
    for (int i = 0; i < kRecentCommands; ++i) {
        UINT id = static_cast<UINT>(ID_FILE_MRU_FILE1 + i);
        OnCommandId(id, [this, id] { OnOpenRecentFile(id); });
        OnUpdateId(id, [this, i](CCmdUI* ui) { ui->Enable(i < m_recentFiles.GetSize()); });
    }
}

CWinAppBase::~CWinAppBase()
{
    m_pTemplate.reset();
    if (Current() == this)
        Current() = nullptr;
}

int CWinAppBase::Run(const std::vector<std::string>& args)
{
    m_args = args;
    std::string title = AfxLoadString(AFX_IDS_APP_TITLE);
    if (!title.empty())
        m_pszAppName = title;
    // Installed before InitInstance: a SIGTERM during start-up ends the
    // event loop as soon as it runs, and the settings are still written.
    CExitRequests requests([this] { OnSessionEnd(); });
    if (!InitInstance()) {
        ExitInstance();
        return m_nExitCode;
    }
    if (!requests.EndRequested())
        QApplication::exec();
    return ExitInstance();
}

void CWinAppBase::SaveStdProfileSettings()
{
    if (!m_writeSettings || !m_settingsLoaded)
        return;
    m_recentFiles.WriteList(m_settings);
    m_settings.Save();
}

void CWinAppBase::OnSessionEnd()
{
    SaveStdProfileSettings();
}

int CWinAppBase::ExitInstance()
{
    SaveStdProfileSettings();
    m_writeSettings = false;  // written once
    if (m_pTemplate)
        m_pTemplate->CloseAll();
    m_pMainWnd = nullptr;
    return 0;
}

void CWinAppBase::SetRegistryKey(const std::string& key)
{
    m_settings.SetKey(key, m_pszAppName);
}

void CWinAppBase::LoadStdProfileSettings(int maxRecentFiles)
{
    m_recentFiles = CRecentFileList(maxRecentFiles);
    m_settings.Load();
    m_recentFiles.ReadList(m_settings);
    m_settingsLoaded = true;
}

void CWinAppBase::AddDocTemplate(CSingleDocTemplate* docTemplate)
{
    m_pTemplate.reset(docTemplate);
}

void CWinAppBase::ParseCommandLine(CCommandLineInfo& info)
{
    info.Parse(m_args);
}

BOOL CWinAppBase::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        m_nCmdShow = 0;  // SW_HIDE
        m_nExitCode = OpenAndPrint(info) ? 0 : 1;
        return FALSE;
    case CCommandLineInfo::AppUnregister: {
        bool removed = m_settings.Remove();
        if (!info.m_bRunEmbedded)
            AfxMessageBox(removed ? "System registry entries have been removed and the INI file (if any) was deleted."
                                  : "Not all of the system registry entries (or INI file) were removed.");
        m_writeSettings = false;
        m_nExitCode = removed ? 0 : 1;
        return FALSE;
    }
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    return FALSE;
}

bool CWinAppBase::OpenAndPrint(CCommandLineInfo& info)
{
    // Without a file there is nothing to print, not even an empty map.
    if (info.m_strFileName.empty()) {
        AfxMessageBox(kNoFileToPrint);
        return false;
    }
    CDocument* doc = m_pTemplate ? m_pTemplate->OpenDocumentFile(info.m_strFileName, false) : nullptr;
    if (doc == nullptr)
        return false;
    m_pMainWnd = m_pTemplate->GetFrame();
    AddToRecentFiles(doc);
    return PrintFromCommandLine(info);
}

CDocument* CWinAppBase::OpenDocumentFile(const std::string& path)
{
    if (!m_pTemplate)
        return nullptr;
    CDocument* doc = m_pTemplate->OpenDocumentFile(path);
    m_pMainWnd = m_pTemplate->GetFrame();
    AddToRecentFiles(doc);
    return doc;
}

void CWinAppBase::AddToRecentFiles(CDocument* doc)
{
    if (doc && !doc->GetPathName().empty()) {
        m_recentFiles.Add(doc->GetPathName());
        RefreshRecentFileMenu();
    }
}

void CWinAppBase::OnFileNew()
{
    if (!m_pTemplate)
        return;
    m_pTemplate->OpenDocumentFile(std::string());
    m_pMainWnd = m_pTemplate->GetFrame();
    RefreshRecentFileMenu();
}

void CWinAppBase::OnFileOpen()
{
    std::vector<CFileFilter> filters;
    if (m_pTemplate) {
        std::string name = m_pTemplate->GetDocString(3), ext = m_pTemplate->GetDocString(4);
        if (!name.empty())
            filters.push_back({name, "*" + ext});
    }
    filters.push_back({"All Files (*.*)", "*"});
    std::string path;
    if (AfxPromptOpenFileName(path, filters))
        OpenDocumentFile(path);
}

void CWinAppBase::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->Close();
    else
        QCoreApplication::quit();
}

void CWinAppBase::OnOpenRecentFile(UINT id)
{
    int index = static_cast<int>(id) - ID_FILE_MRU_FILE1;
    if (index < 0 || index >= m_recentFiles.GetSize())
        return;
    std::string path = m_recentFiles[index];
    if (OpenDocumentFile(path) == nullptr) {
        m_recentFiles.Remove(index);
        RefreshRecentFileMenu();
    }
}

void CWinAppBase::RefreshRecentFileMenu()
{
    if (m_pMainWnd)
        m_pMainWnd->SetRecentFileMenu(m_recentFiles.MenuEntries());
}

int CWinAppBase::GetProfileInt(const std::string& section, const std::string& entry, int def) const
{
    return m_settings.GetInt(section, entry, def);
}

void CWinAppBase::WriteProfileInt(const std::string& section, const std::string& entry, int value)
{
    m_settings.SetInt(section, entry, value);
}

void CWinAppBase::OnIdle()
{
    if (m_pMainWnd)
        m_pMainWnd->UpdateCommandUI();
}
