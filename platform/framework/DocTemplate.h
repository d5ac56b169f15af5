// SPDX-License-Identifier: MIT
#pragma once

// The single-document template: binds one document, one frame and one view,
// made by the given factories on the first New or Open and reused after.

#include "platform/surface/Types.h"

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CViewBase;

class CSingleDocTemplate {
public:
    using DocFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CViewBase>()>;

    CSingleDocTemplate(UINT resourceId, DocFactory doc, FrameFactory frame, ViewFactory view);
    ~CSingleDocTemplate();

    // New (path empty) or Open: creates document, frame and view when there
    // are none yet. Returns the document, or nullptr when the open failed
    // (a frame made for that open alone is destroyed again). With visible
    // false the frame stays hidden.
    CDocument* OpenDocumentFile(const std::string& path, bool visible = true);

    // The document string's fields, split at newlines.
    std::string GetDocString(int field) const;
    UINT GetResourceId() const { return m_resourceId; }

    CDocument* GetDocument() const { return m_doc.get(); }
    CFrameWnd* GetFrame() const { return m_frame.get(); }
    CViewBase* GetView() const { return m_view; }
    // Destroys frame, view and document (at the end of the program).
    void CloseAll();

private:
    bool CreateFrame(bool visible);

    UINT m_resourceId;
    DocFactory m_docFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::unique_ptr<CDocument> m_doc;
    std::unique_ptr<CFrameWnd> m_frame;
    std::unique_ptr<CViewBase> m_viewOwner;
    CViewBase* m_view = nullptr;
};
