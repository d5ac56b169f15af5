#pragma once

// The framework's document: the base of the program's document class, with
// the framework's open sequence. An open refuses a file it cannot read (and
// anything that is not a regular file) with its own message and leaves the
// document as it was; otherwise it clears the contents, loads through
// Serialize, and takes the file's path and name.

#include "platform/framework/CmdTarget.h"
#include "platform/surface/Types.h"

#include <cstdio>
#include <string>

class CFile {
public:
    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    enum class Error { None, NotFound, NotRegular, AccessDenied, Other };
    // Opens a regular file for reading without ever blocking on it.
    Error OpenForReading(const std::string& path);
    void Close();
    const std::string& GetFilePath() const { return m_path; }
    long long GetLength() const { return m_length; }
    // The system's error number of the last failed open; 0 after success.
    int GetSystemError() const { return m_errno; }

private:
    int m_fd = -1;
    int m_errno = 0;
    std::string m_path;
    long long m_length = 0;
};

class CArchive {
public:
    enum Mode { load = 1, store = 0 };
    CArchive(CFile* file, Mode mode) : m_file(file), m_mode(mode) {}
    BOOL IsLoading() const { return m_mode == load; }
    BOOL IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_file; }

private:
    CFile* m_file;
    Mode m_mode;
};

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
