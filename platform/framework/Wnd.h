// SPDX-License-Identifier: MIT
#pragma once

// A window: client area, invalidation, the window's own two scroll bars,
// and the class background brush and cursor. Its toolkit side lives in the
// platform's private CWndImpl.

#include "platform/framework/CmdTarget.h"
#include "platform/surface/Types.h"

#include <memory>

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// Scroll codes.
constexpr UINT SB_LINEUP = 0, SB_LINELEFT = 0;
constexpr UINT SB_LINEDOWN = 1, SB_LINERIGHT = 1;
constexpr UINT SB_PAGEUP = 2, SB_PAGELEFT = 2;
constexpr UINT SB_PAGEDOWN = 3, SB_PAGERIGHT = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_ENDSCROLL = 8;

// Mouse-key flags.
constexpr UINT MK_LBUTTON = 0x1;
constexpr UINT MK_RBUTTON = 0x2;
constexpr UINT MK_SHIFT = 0x4;
constexpr UINT MK_CONTROL = 0x8;

// System metrics.
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYVSCROLL = 20;
int GetSystemMetrics(int index);
// Tests fix the metrics to known values; 0 restores the platform's.
void SetScrollBarMetricForTesting(int pixels);

// Cursors.
constexpr int IDC_ARROW = 32512;
constexpr int IDC_CROSS = 32515;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWDEFAULT = 10;

struct CWndImpl;
class CImage;
class CScrollBar;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void GetClientRect(CRect* rect) const;
    // Marks the whole client area for a repaint, background first.
    void Invalidate(BOOL erase = TRUE);
    // Repaints now whatever is marked.
    void UpdateWindow();
    BOOL ShowWindow(int command);
    bool IsWindowVisible() const;

    void ShowScrollBar(int bar, BOOL show);
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void GetScrollRange(int bar, int* minPos, int* maxPos) const;
    bool IsScrollBarVisible(int bar) const;

    // The window class's background (a stock brush) and cursor.
    void SetClassBackground(int stockBrush);
    void SetClassCursor(int cursor);

    CWndImpl* Impl() const { return m_impl.get(); }

protected:
    std::unique_ptr<CWndImpl> m_impl;
};
