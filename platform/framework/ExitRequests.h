// SPDX-License-Identifier: MIT
#pragma once

// The ways the system asks a running program to end, besides its own Exit.
//
// SIGTERM and SIGHUP end the event loops as Exit would, a modal dialog's
// included, so the program leaves through its normal exit path
// (ExitInstance writes the settings).
// The handlers only write a byte to a pipe; the event loop reads it, so
// nothing unsafe runs inside a signal handler, and a signal that comes
// before the event loop starts ends it as soon as it does.
//
// The desktop session's commit-data request (the session is about to end)
// calls saveNow at once, since the session may then end the program without
// another word. While the object lives the handlers are installed; its
// destructor puts the previous ones back.

#include <functional>
#include <memory>

class CExitRequests {
public:
    explicit CExitRequests(std::function<void()> saveNow);
    ~CExitRequests();
    // Whether a signal has asked the program to end; an event loop started
    // after that (once a dialog of the start-up has closed) must not run.
    bool EndRequested() const;
    CExitRequests(const CExitRequests&) = delete;
    CExitRequests& operator=(const CExitRequests&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
