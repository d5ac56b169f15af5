// SPDX-License-Identifier: MIT
#pragma once

// The toolkit's application object. One must exist before any surface draws
// text or any window is made.
//
// A program with windows needs a display: without one it says so on
// standard error in one line ("kestrin: cannot open the display ...") and
// ends with status 1, before anything else has happened. A headless program
// always draws off screen, whatever QT_QPA_PLATFORM says, and the toolkit's
// warning about a missing or unusable XDG_RUNTIME_DIR is not passed on for
// it; tests and benchmarks draw off screen unless the environment names a
// platform.

class CRuntime {
public:
    enum class Display { Window, Offscreen, OffscreenUnlessNamed };

    CRuntime(int& argc, char** argv, Display display);
    ~CRuntime();
    CRuntime(const CRuntime&) = delete;
    CRuntime& operator=(const CRuntime&) = delete;

    // Runs the event loop until the last window closes.
    int Run();
};
