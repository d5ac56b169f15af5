// SPDX-License-Identifier: MIT
#include "platform/framework/DocTemplate.h"

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/ResourceRegistry.h"
#include "platform/framework/ViewBase.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, DocFactory doc, FrameFactory frame, ViewFactory view)
    : m_resourceId(resourceId), m_docFactory(std::move(doc)), m_frameFactory(std::move(frame)),
      m_viewFactory(std::move(view))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    CloseAll();
}

std::string CSingleDocTemplate::GetDocString(int field) const
{
    std::string s = AfxLoadString(static_cast<int>(m_resourceId));
    size_t start = 0;
    for (int i = 0; i < field; ++i) {
        start = s.find('\n', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    size_t end = s.find('\n', start);
    return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool CSingleDocTemplate::CreateFrame(bool visible)
{
    m_frame = m_frameFactory();
    m_viewOwner = m_viewFactory();
    m_view = m_viewOwner.get();
    m_view->SetDocument(m_doc.get());
    if (!m_frame->Create() || !m_view->Create(m_frame.get())) {
        m_frame.reset();
        m_viewOwner.reset();
        m_view = nullptr;
        return false;
    }
    m_frame->SetActiveView(m_view);
    if (!visible)
        m_frame->ShowWindow(0);
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string& path, bool visible)
{
    bool created = false;
    if (!m_doc)
        m_doc = m_docFactory();
    if (!m_frame) {
        if (!CreateFrame(visible)) {
            m_doc.reset();
            return nullptr;
        }
        created = true;
    }
    if (path.empty()) {
        if (!m_doc->OnNewDocument())
            return nullptr;
    } else {
        CDocument::OpenResult result = m_doc->OpenDocumentFile(path);
        if (result == CDocument::OpenResult::Failed) {
            // A frame made for this open alone goes again; an existing one
            // keeps its document as it was.
            if (created)
                CloseAll();
            return nullptr;
        }
        if (result == CDocument::OpenResult::AlreadyOpen)
            return m_doc.get();
    }
    m_frame->UpdateFrameTitle();
    m_view->OnInitialUpdate();
    return m_doc.get();
}

void CSingleDocTemplate::CloseAll()
{
    m_frame.reset();
    m_viewOwner.reset();
    m_view = nullptr;
    m_doc.reset();
}
