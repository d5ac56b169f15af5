// SPDX-License-Identifier: MIT
#pragma once

// The About box: icon, version, and a few lines on using the program.

#include "platform/framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
