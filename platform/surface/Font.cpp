// SPDX-License-Identifier: MIT
#include "platform/surface/Font.h"

BOOL CFont::CreateFontIndirect(const LOGFONT* desc)
{
    if (m_valid || desc == nullptr)
        return FALSE;
    m_desc = *desc;
    // The face name field need not be terminated; keep it bounded.
    m_desc.lfFaceName[sizeof(m_desc.lfFaceName) - 1] = '\0';
    m_encoding = CTextEncoding::Windows1252;
    m_valid = true;
    return TRUE;
}

BOOL CFont::CreateSystemFont(CTextEncoding encoding)
{
    LOGFONT desc;
    desc.lfWeight = FW_NORMAL;
    if (!CreateFontIndirect(&desc))
        return FALSE;
    m_system = true;
    m_encoding = encoding;
    return TRUE;
}
