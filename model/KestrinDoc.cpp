// SPDX-License-Identifier: MIT
#include "KestrinDoc.h"

#include "platform/framework/MessageBox.h"

CKestrinDoc::~CKestrinDoc()
{
    DeleteContents();
}

BOOL CKestrinDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_map = std::make_unique<CStarMap>();
    m_pMap = m_map.get();
    return TRUE;
}

void CKestrinDoc::Serialize(CArchive& ar)
{
    if (!ar.IsLoading())
        return;
    m_map = std::make_unique<CStarMap>();
    m_pMap = m_map.get();
    // The loader opens the file again by its path; the framework's handle
    // only vouches that it is a readable regular file.
    if (!m_pMap->LoadDataFile(ar.GetFile()->GetFilePath().c_str()))
        AfxMessageBox("Error loading data file", MB_OK | MB_ICONEXCLAMATION);
}

void CKestrinDoc::DeleteContents()
{
    m_pMap = nullptr;
    m_map.reset();
    CDocument::DeleteContents();
}
