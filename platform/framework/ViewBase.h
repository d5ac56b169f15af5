// SPDX-License-Identifier: MIT
#pragma once

// The framework's view without printing: a window in the frame that shows
// its document. It paints through a back buffer the size of its client
// area: an invalidation marks the buffer stale, the next paint fills it
// with the class background, prepares a surface with OnPrepareDC and calls
// OnDraw. Qt's events arrive as the handlers below.
//
// The print layer's CView (platform/print/View.h) adds the print flow; the
// program's views derive from that. A screen paint passes no print
// information; the type stays opaque here.

#include "platform/framework/Wnd.h"

class CDC;
class CDocument;
class CFrameWnd;
class CImage;
class CPrintInfo;

class CViewBase : public CWnd {
public:
    CViewBase();
    ~CViewBase() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Creates the window inside frame; false when OnCreate refuses.
    bool Create(CFrameWnd* frame);

    virtual BOOL PreCreateWindow() { return TRUE; }
    virtual int OnCreate() { return 0; }
    virtual void OnDraw(CDC* pDC) = 0;
    // Sets the surface's mapping before anything is drawn or converted
    // through it; pInfo is null for the screen. The base does nothing.
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

    // The back buffer, sized to the client area; repainted first when stale.
    CImage& GetBackBuffer();
    // Paints the back buffer if it is stale.
    void RefreshBackBuffer();
    // The surface a paint is drawing with, while OnDraw runs.
    CDC* GetPaintingDC() const { return m_paintingDC; }

private:
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CDC* m_paintingDC = nullptr;
};
