// SPDX-License-Identifier: MIT
#pragma once

// The view as programs derive from it: the view base with the framework's
// print flow. Its commands print with the print dialog (ID_FILE_PRINT),
// without it (ID_FILE_PRINT_DIRECT), and preview (ID_FILE_PRINT_PREVIEW).
// A job calls the printing hooks in the framework's order:
// OnPreparePrinting (which normally calls DoPreparePrinting: the dialog, or
// the chosen or default printer), then OnBeginPrinting, for each page
// OnPrepareDC and OnPrint on a surface whose printing flag is set, then
// OnEndPrinting. Print preview calls the same hooks for the pages it shows.

#include "platform/framework/ViewBase.h"
#include "platform/print/PrintInfo.h"

#include <memory>
#include <string>

class CPreviewView;

class CView : public CViewBase {
public:
    CView();
    ~CView() override;

    // The framework's part decides for a printed page whether it may
    // print: without a page count only page 1 does.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    // Printing hooks.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
    virtual void OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
    // The standard preparation: the print dialog, or for preview and for
    // printing without the dialog the chosen or default printer (the
    // dialog only when there is none). False when the user cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // The framework's print commands: print (with or without the dialog)
    // and print preview.
    void OnFilePrint(bool direct);
    void OnFilePrintPreview();
    // Prints straight to target, without preparation, dialogs, status box
    // or messages (for tools); false unless a page was printed and its
    // file, if any, completed. reason, when given, then says why.
    bool PrintToTarget(const CPrinterTarget& target, std::string* reason = nullptr);
    // The preview while it is shown, else nullptr.
    CPreviewView* GetPreview() const { return m_pPreview.get(); }
    // Ends the preview (the frame shows this view again), later.
    void EndPreview();

private:
    std::shared_ptr<CPreviewView> m_pPreview;
};
