// SPDX-License-Identifier: MIT
#include "platform/framework/Document.h"

#include "platform/framework/MessageBox.h"

#include <cstring>
#include <filesystem>

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    m_strTitle = "Untitled";
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path)
{
    CFile file;
    CFile::Error error = file.OpenForReading(path);
    if (error != CFile::Error::None) {
        AfxMessageBox(OpenErrorMessage(error, path, file.GetSystemError()));
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    // Serialize runs for a zero-length file too, so the document always
    // ends with contents of its own making.
    CArchive ar(&file, CArchive::load);
    Serialize(ar);
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::DeleteContents() {}

CDocument::OpenResult CDocument::OpenDocumentFile(const std::string& path)
{
    std::string canonical = CanonicalPath(path);
    if (!m_strPathName.empty() && canonical == m_strPathName)
        return OpenResult::AlreadyOpen;
    if (!OnOpenDocument(canonical.c_str()))
        return OpenResult::Failed;
    SetPathName(canonical);
    return OpenResult::Opened;
}

void CDocument::SetPathName(const std::string& path)
{
    m_strPathName = path;
    m_strTitle = std::filesystem::path(path).filename().string();
}

std::string CDocument::CanonicalPath(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    if (ec || p.empty())
        return path;
    return p.string();
}

std::string CDocument::OpenErrorMessage(CFile::Error error, const std::string& path, int systemError)
{
    switch (error) {
    case CFile::Error::NotFound:
        return path + "\nCannot find this file.\nPlease verify that the correct path and file name are given.";
    case CFile::Error::NotRegular:
        return path + "\nThis is not a regular file and cannot be opened.";
    case CFile::Error::AccessDenied:
        return "Access to " + path + " was denied.";
    default:
        if (systemError != 0)
            return "An unexpected file error occurred while reading " + path + ".\n" + std::strerror(systemError) + ".";
        return "An unexpected file error occurred while reading " + path + ".";
    }
}
