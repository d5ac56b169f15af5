// SPDX-License-Identifier: MIT
#include "platform/print/WinApp.h"

#include "platform/framework/CommandIds.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageBox.h"
#include "platform/print/PrintService.h"

CWinApp::CWinApp()
{
    OnCommandId(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
}

CWinApp* CWinApp::Get()
{
    return dynamic_cast<CWinApp*>(CWinAppBase::Get());
}

BOOL CWinApp::PrintFromCommandLine(CCommandLineInfo& info)
{
    if (info.m_nShellCommand == CCommandLineInfo::FilePrintTo) {
        std::optional<CPrinterTarget> printer = AfxFindPrinter(info.m_strPrinterName);
        if (info.m_strPrinterName.empty() || !printer) {
            AfxMessageBox("Could not start print job.");
            return FALSE;
        }
        if (!info.m_strPortName.empty())
            printer->port = info.m_strPortName;
        SelectPrinter(*printer);
    }
    return m_pMainWnd && m_pMainWnd->SendCommand(ID_FILE_PRINT_DIRECT) ? TRUE : FALSE;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialogRequest request;
    request.setup = true;
    request.printer = m_printer ? m_printer : AfxFindPrinter(std::string());
    if (AfxDoPrintDialog(request) == IDOK && request.printer)
        SelectPrinter(*request.printer);
}

void CWinApp::SelectPrinter(const CPrinterTarget& printer)
{
    m_printer = printer;
}
