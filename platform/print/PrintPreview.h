// SPDX-License-Identifier: MIT
#pragma once

// Print preview: takes the view's place in the main frame with a bar of
// seven buttons and a picture of one or two pages, rendered through the
// printing view's own hooks on surfaces whose printing flag is set. While
// it is up it is the frame's active view, the menu and toolbars are hidden
// and its three keys replace the accelerator table; closing puts all of it
// back, with the printing view's state untouched.

#include "platform/framework/ResourceRecords.h"
#include "platform/framework/ViewBase.h"
#include "platform/print/PrintInfo.h"

#include <memory>
#include <string>
#include <vector>

class CImage;
class CView;
struct CPreviewUi;

class CPreviewView : public CViewBase {
public:
    static constexpr UINT kClose = 58112;
    static constexpr UINT kNumPage = 58113;
    static constexpr UINT kNext = 58114;
    static constexpr UINT kPrev = 58115;
    static constexpr UINT kPrint = 58116;
    static constexpr UINT kZoomIn = 58117;
    static constexpr UINT kZoomOut = 58118;
    static constexpr int kMaxZoom = 2;

    CPreviewView(CView* printView, std::unique_ptr<CPrintInfo> info);
    ~CPreviewView() override;

    // Puts the preview in place of the printing view; false when it cannot.
    bool Open();
    void OnDraw(CDC*) override {}

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // Pages side by side: 1 or 2.
    int GetPageCount() const { return m_nPages; }
    int GetZoom() const { return m_zoom; }
    // "Page 1" or "Pages 1-2".
    std::string PageIndicator() const;
    // Whether the printing view has a page of that number.
    bool PagePrints(UINT page);
    // The printable area of a page at dpi; a null image when it has none.
    CImage RenderPage(UINT page, int dpi);
    const CPrintInfo& Info() const { return *m_info; }

private:
    void OnClose();
    void OnNumPage();
    void Step(int pages);
    void OnPreviewPrint();
    void Zoom(int step);
    void Refresh();
    void Restore();
    int ShownPages() const { return m_zoom == 0 ? m_nPages : 1; }

    CView* m_printView;
    CFrameWnd* m_frame;
    std::unique_ptr<CPrintInfo> m_info;
    std::unique_ptr<CPreviewUi> m_ui;
    std::vector<CAccelDef> m_savedAccelerators;
    CViewBase* m_savedActiveView = nullptr;
    UINT m_nCurrentPage = 1;
    int m_nPages = 1;
    int m_zoom = 0;
    bool m_open = false;
};
