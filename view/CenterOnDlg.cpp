// SPDX-License-Identifier: MIT
#include "CenterOnDlg.h"

#include "res/ResourceIds.h"

CCenterOnDlg::CCenterOnDlg() : CDialog(IDD_CENTER_ON) {}

void CCenterOnDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PLANET_NAME, m_planetName);
}
