// SPDX-License-Identifier: MIT
#pragma once

// Keeps a frame's window disabled while a print job runs, so that no
// command reaches the document in the middle of a page; the frame is
// enabled again when the job ends, however it ends. A null frame is left
// alone (jobs without a user).

#include "platform/framework/FrameWnd.h"

class CDisabledFrame {
public:
    explicit CDisabledFrame(CFrameWnd* frame) : m_frame(frame)
    {
        if (m_frame)
            m_frame->SetEnabled(false);
    }
    ~CDisabledFrame() { Enable(); }
    CDisabledFrame(const CDisabledFrame&) = delete;
    CDisabledFrame& operator=(const CDisabledFrame&) = delete;

    // Enables the frame now, before the job's last hook runs.
    void Enable()
    {
        if (m_frame)
            m_frame->SetEnabled(true);
        m_frame = nullptr;
    }

private:
    CFrameWnd* m_frame;
};
