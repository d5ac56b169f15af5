// SPDX-License-Identifier: MIT
#pragma once

// The framework's document: the base of the program's document class, with
// the framework's open sequence. An open refuses a file it cannot read (and
// anything that is not a regular file) with its own message and leaves the
// document as it was; otherwise it clears the contents, loads through
// Serialize, and takes the file's path and name.

#include "platform/framework/Archive.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/File.h"
#include "platform/surface/Types.h"

#include <string>

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Clears the contents, empties the path and clears the modified flag.
    virtual BOOL OnNewDocument();
    // Loads the file at path into the document; reports a file that cannot
    // be opened and returns FALSE with the document unchanged.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents();

    enum class OpenResult { Opened, AlreadyOpen, Failed };
    // The framework's open: a file whose canonical path is the document's
    // own is not read again; otherwise OnOpenDocument, then the new path.
    OpenResult OpenDocumentFile(const std::string& path);

    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
    BOOL IsModified() const { return m_bModified; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }

    // The message the framework shows for a file it cannot open.
    // The message for a file that cannot be opened; an unexpected error
    // names the system's reason (systemError, an errno value).
    static std::string OpenErrorMessage(CFile::Error error, const std::string& path, int systemError = 0);
    // The canonical form of path, or path itself when it has none.
    static std::string CanonicalPath(const std::string& path);

private:
    std::string m_strPathName;
    std::string m_strTitle = "Untitled";
    BOOL m_bModified = FALSE;
};
