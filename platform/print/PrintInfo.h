// SPDX-License-Identifier: MIT
#pragma once

// What the framework's print flow hands to the view's printing hooks.

#include "platform/print/PrintTarget.h"
#include "platform/surface/Types.h"

#include <optional>
#include <string>

class CPrintInfo {
public:
    static constexpr UINT kUnsetMaxPage = 0xFFFF;

    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_nFromPage; }
    UINT GetToPage() const { return m_nToPage; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }

    UINT m_nMinPage = 1;
    UINT m_nMaxPage = kUnsetMaxPage;
    UINT m_nFromPage = 1;
    UINT m_nToPage = kUnsetMaxPage;
    UINT m_nCurPage = 1;
    BOOL m_bContinuePrinting = TRUE;
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;  // no print dialog
    CRect m_rectDraw;
    // The printer the preparation chose; none when it chose none.
    std::optional<CPrinterTarget> m_printer;
    // The print dialog's print-to-file option: the file is asked for next.
    BOOL m_bPrintToFile = FALSE;
    // Why the job's output file could not be made or completed, in the
    // system's words; empty otherwise.
    std::string m_strOutputError;
};
