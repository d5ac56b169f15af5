// SPDX-License-Identifier: MIT
#pragma once

// The exchange of a dialog's edit texts, in UTF-8 and by control id, with
// the fields of the program's dialog class: loaded into the controls before
// the dialog shows, saved back from them after OK.

#include <map>
#include <string>

class CDataExchange {
public:
    CDataExchange(std::map<int, std::string>& texts, bool save) : m_texts(texts), m_bSaveAndValidate(save) {}
    std::map<int, std::string>& m_texts;
    bool m_bSaveAndValidate;
};

// Moves the whole text of edit control id into value (saving) or back.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
