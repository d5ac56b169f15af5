// SPDX-License-Identifier: MIT
#pragma once

// A dockable toolbar built from a toolbar resource: one button per command,
// its image cut from the resource's strip, its tooltip the part of the
// command's string after the newline.

#include "platform/surface/Types.h"

#include <memory>

constexpr UINT WS_CHILD = 0x40000000;
constexpr UINT WS_VISIBLE = 0x10000000;
constexpr UINT CBRS_TOP = 0x2000;
constexpr UINT CBRS_TOOLTIPS = 0x0010;
constexpr UINT CBRS_FLYBY = 0x0020;
constexpr UINT CBRS_SIZE_DYNAMIC = 0x0040;
constexpr UINT CBRS_ALIGN_ANY = 0xF000;

class CFrameWnd;
struct CToolBarImpl;

class CToolBar {
public:
    CToolBar();
    ~CToolBar();
    CToolBar(const CToolBar&) = delete;
    CToolBar& operator=(const CToolBar&) = delete;

    BOOL Create(CFrameWnd* parent, UINT style, UINT id);
    // Loads the registered toolbar of that id; FALSE when there is none.
    BOOL LoadToolBar(UINT resourceId);
    UINT GetBarStyle() const { return m_style; }
    void SetBarStyle(UINT style) { m_style = style; }
    void EnableDocking(UINT sides) { m_docking = sides; }
    UINT GetDocking() const { return m_docking; }

    CToolBarImpl* Impl() const { return m_impl.get(); }

private:
    std::unique_ptr<CToolBarImpl> m_impl;
    UINT m_style = 0;
    UINT m_docking = 0;
};
