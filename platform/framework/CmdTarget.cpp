// SPDX-License-Identifier: MIT
#include "platform/framework/CmdTarget.h"

bool CCmdTarget::OnCommand(UINT id)
{
    auto it = m_commands.find(id);
    if (it == m_commands.end())
        return false;
    // Copy first: a handler may replace the table it runs from.
    auto handler = it->second;
    handler();
    return true;
}

bool CCmdTarget::OnUpdateCommand(CCmdUI* ui)
{
    auto it = m_updates.find(ui->m_nID);
    if (it != m_updates.end()) {
        it->second(ui);
        if (!ui->m_enableSet)
            ui->Enable(TRUE);
        return true;
    }
    if (m_commands.count(ui->m_nID) != 0) {
        ui->Enable(TRUE);
        return true;
    }
    return false;
}
