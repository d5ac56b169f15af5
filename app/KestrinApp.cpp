// SPDX-License-Identifier: MIT
#include "KestrinApp.h"

#include "AboutDlg.h"
#include "CommandLineHelp.h"
#include "MainFrame.h"

#include "model/KestrinDoc.h"
#include "res/Register.h"
#include "res/ResourceIds.h"
#include "view/KestrinView.h"

#include "platform/framework/DocTemplate.h"
#include "platform/framework/Runtime.h"

#include <iostream>

CKestrinApp::CKestrinApp()
{
    OnCommandId(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

BOOL CKestrinApp::InitInstance()
{
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return std::make_unique<CKestrinDoc>(); },
        [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<CKestrinView>(); }));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateCommandUI();
    if (CViewBase* view = m_pMainWnd->GetActiveView())
        view->UpdateWindow();
    return TRUE;
}

void CKestrinApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

int RunKestrin(int argc, char** argv)
{
    if (std::optional<int> status = AnswerHelpOrVersion(std::vector<std::string>(argv + 1, argv + argc), std::cout))
        return CloseStandardOutput(std::cerr) ? *status : 1;
    CRuntime runtime(argc, argv, CRuntime::Display::Window);
    RegisterKestrinResources();
    CKestrinApp app;
    return app.Run(std::vector<std::string>(argv + 1, argv + argc));
}
