#pragma once

// A surface on a view's client area in the default pixel mapping. It draws
// straight into the view's back buffer and shows the result when released,
// so exclusive-or figures drawn twice vanish, and overlays may write
// anywhere in the client area.

#include "platform/surface/DC.h"

class CView;

class CClientDC : public CDC {
public:
    explicit CClientDC(CView* view);
    ~CClientDC() override;

private:
    CView* m_view;
    CDC* m_suspended = nullptr;
};
