// SPDX-License-Identifier: MIT
#pragma once

// The Center On dialog: one edit field for a planet's name, empty each
// time the dialog is made.

#include "platform/framework/Dialog.h"

#include <string>

class CCenterOnDlg : public CDialog {
public:
    CCenterOnDlg();
    std::string m_planetName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
