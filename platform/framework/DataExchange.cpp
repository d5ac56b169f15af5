// SPDX-License-Identifier: MIT
#include "platform/framework/DataExchange.h"

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_texts[id];
    else
        pDX->m_texts[id] = value;
}
