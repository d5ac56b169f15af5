// SPDX-License-Identifier: MIT
#include "AboutDlg.h"

#include "res/ResourceIds.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
