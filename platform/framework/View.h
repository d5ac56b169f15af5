#pragma once

// The framework's view: a window in the frame that shows its document. It
// paints through a back buffer the size of its client area: an
// invalidation marks the buffer stale, the next paint fills it with the
// class background, prepares a surface with OnPrepareDC and calls OnDraw.
// Qt's events arrive as the handlers below.

#include "platform/framework/Wnd.h"
#include "platform/print/PrintInfo.h"

#include <memory>

class CDC;
class CDocument;
class CFrameWnd;
class CImage;
class CPreviewView;

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Creates the window inside frame; false when OnCreate refuses.
    bool Create(CFrameWnd* frame);

    virtual BOOL PreCreateWindow() { return TRUE; }
    virtual int OnCreate() { return 0; }
    virtual void OnDraw(CDC* pDC) = 0;
    // The framework's part decides for a printed page whether it may print.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Runs each time a document is attached: repaints the whole view.
    virtual void OnInitialUpdate();

    virtual void OnLButtonDown(UINT, CPoint) {}
    virtual void OnLButtonUp(UINT, CPoint) {}
    virtual void OnRButtonDown(UINT, CPoint) {}
    virtual void OnRButtonUp(UINT, CPoint) {}
    virtual void OnMouseMove(UINT, CPoint) {}
    virtual void OnHScroll(UINT, UINT, CScrollBar*) {}
    virtual void OnVScroll(UINT, UINT, CScrollBar*) {}

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

    // The back buffer, sized to the client area; repainted first when stale.
    CImage& GetBackBuffer();
    // Paints the back buffer if it is stale.
    void RefreshBackBuffer();
    // The surface a paint is drawing with, while OnDraw runs.
    CDC* GetPaintingDC() const { return m_paintingDC; }

private:
    enum class PrintResult { Printed, Nothing, CouldNotStart, Failed, Cancelled };
    // The job itself, from OnBeginPrinting to OnEndPrinting; interactive
    // jobs disable the main window and show the status box.
    PrintResult RunPrintJob(CPrintInfo& info, bool interactive);

    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CDC* m_paintingDC = nullptr;
    std::shared_ptr<CPreviewView> m_pPreview;
};
