// SPDX-License-Identifier: MIT
#pragma once

// A surface on a view's client area in the default pixel mapping. It draws
// straight into the view's back buffer and shows the result when released,
// so exclusive-or figures drawn twice vanish, and overlays may write
// anywhere in the client area.

#include "platform/surface/DC.h"

class CViewBase;

class CClientDC : public CDC {
public:
    explicit CClientDC(CViewBase* view);
    ~CClientDC() override;

private:
    CViewBase* m_view;
    CDC* m_suspended = nullptr;
};
