// SPDX-License-Identifier: MIT
#include "platform/framework/ClientDC.h"

#include "platform/framework/ViewBase.h"
#include "platform/framework/qt/ViewCanvas.h"
#include "platform/framework/qt/WndImpl.h"
#include "platform/surface/qt/DCAccess.h"

CClientDC::CClientDC(CViewBase* view) : m_view(view)
{
    CImage& buffer = view->GetBackBuffer();
    if (CDC* painting = view->GetPaintingDC()) {
        m_suspended = painting;
        CDCAccess::Suspend(*painting);
    }
    AttachImage(buffer);
}

CClientDC::~CClientDC()
{
    Detach();
    if (m_suspended) {
        CDCAccess::Resume(*m_suspended);
        return;  // the repaint shows the buffer when it is done
    }
    if (m_view->Impl()->canvas)
        m_view->Impl()->canvas->update();
}
