// SPDX-License-Identifier: MIT
#pragma once

// The application object as programs derive from it: the application base
// with the framework's choice of printer. Print Setup (ID_FILE_PRINT_SETUP)
// picks the printer that every later job uses, as does a printer chosen in
// the print dialog; until then the default printer serves. The print
// switches of the command line print the open document through the view's
// print command without the dialog (ID_FILE_PRINT_DIRECT), on the named
// printer for "pt".

#include "platform/framework/WinAppBase.h"
#include "platform/print/PrintTarget.h"

#include <optional>

class CWinApp : public CWinAppBase {
public:
    CWinApp();

    // The running application, when it is one that prints; else nullptr.
    static CWinApp* Get();

    // The printer-setup dialog; its printer serves every later print.
    void OnFilePrintSetup();

    // The printer chosen in Print Setup, the print dialog or on the command
    // line; none until then, when the default printer serves.
    const std::optional<CPrinterTarget>& GetSelectedPrinter() const { return m_printer; }
    void SelectPrinter(const CPrinterTarget& printer);

protected:
    BOOL PrintFromCommandLine(CCommandLineInfo& info) override;

private:
    std::optional<CPrinterTarget> m_printer;
};
