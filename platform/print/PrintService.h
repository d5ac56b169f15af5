// SPDX-License-Identifier: MIT
#pragma once

// The framework's printing service: the printer lookup, the print and
// print-setup dialog, the "Print to File" prompt, and hooks that answer
// each of them, and the printing status box, in place of the user so no
// test waits on a window.

#include "platform/print/PrintTarget.h"
#include "platform/surface/Types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the print dialog opens with and what the user chose in it.
struct CPrintDialogRequest {
    bool setup = false;  // Print Setup: the printer only, no page range
    std::optional<CPrinterTarget> printer;
    UINT minPage = 1;
    UINT maxPage = 0xFFFF;
    bool allPages = true;
    UINT fromPage = 1;
    UINT toPage = 0xFFFF;
    bool printToFile = false;  // the file is asked for after the dialog
};

// The printer of that name, or the default printer for an empty name;
// nothing when there is no such printer.
std::optional<CPrinterTarget> AfxFindPrinter(const std::string& name);
// Runs the print (or print-setup) dialog: IDOK or IDCANCEL.
int AfxDoPrintDialog(CPrintDialogRequest& request);
// Asks for the file of a print to file; false when cancelled.
bool AfxPromptPrintToFile(std::string& path);

// Stand-ins for tests; each setter returns the previous hook.
using PrinterLookupHook = std::function<std::optional<CPrinterTarget>(const std::string& name)>;
PrinterLookupHook SetPrinterLookupHook(PrinterLookupHook hook);
using PrintDialogHook = std::function<int(CPrintDialogRequest& request)>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
using PrintToFileHook = std::function<bool(std::string& path)>;
PrintToFileHook SetPrintToFileHook(PrintToFileHook hook);
// Sees the status box's lines when it opens and whenever the page line
// changes; returning false presses Cancel.
using PrintStatusHook = std::function<bool(const std::vector<std::string>& lines)>;
PrintStatusHook SetPrintStatusHook(PrintStatusHook hook);
