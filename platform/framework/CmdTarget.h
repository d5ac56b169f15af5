// SPDX-License-Identifier: MIT
#pragma once

// Command routing. Each target keeps a table of command handlers and of
// update handlers that set a command's enable and check state through a
// CCmdUI. The frame routes a command through view, document, frame and
// application, to the first target whose table has it.

#include "platform/framework/CmdUI.h"
#include "platform/surface/Types.h"

#include <functional>
#include <unordered_map>

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // True when this target handles the command (and then ran it).
    bool OnCommand(UINT id);
    // True when this target decides the command's state: an update handler
    // ran, or a command handler exists (which enables it).
    bool OnUpdateCommand(CCmdUI* ui);
    bool HasCommand(UINT id) const { return m_commands.count(id) != 0; }

protected:
    void OnCommandId(UINT id, std::function<void()> handler) { m_commands[id] = std::move(handler); }
    void OnUpdateId(UINT id, std::function<void(CCmdUI*)> handler) { m_updates[id] = std::move(handler); }

private:
    std::unordered_map<UINT, std::function<void()>> m_commands;
    std::unordered_map<UINT, std::function<void(CCmdUI*)>> m_updates;
};
