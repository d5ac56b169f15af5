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
    SetMap(std::make_unique<CStarMap>());
    return TRUE;
}

void CKestrinDoc::Serialize(CArchive& ar)
{
    if (!ar.IsLoading())
        return;
    SetMap(std::make_unique<CStarMap>());
    // The loader opens the file again by its path; the framework's handle
    // only vouches that it is a readable regular file.
    if (!m_pMap->LoadDataFile(ar.GetFile()->GetFilePath().c_str()))
        AfxMessageBox("Error loading data file", MB_OK | MB_ICONEXCLAMATION);
}

void CKestrinDoc::DeleteContents()
{
    SetMap(nullptr);
    CDocument::DeleteContents();
}

void CKestrinDoc::SetMap(std::unique_ptr<CStarMap> map)
{
    m_map = std::move(map);
    m_pMap = m_map.get();
    ++m_mapGeneration;
}
