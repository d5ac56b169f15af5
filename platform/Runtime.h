#pragma once

// The toolkit's application object. One must exist before any surface draws
// text or any window is made; headless programs ask for the off-screen
// platform unless the environment names another.

class CRuntime {
public:
    CRuntime(int& argc, char** argv, bool headless);
    ~CRuntime();
    CRuntime(const CRuntime&) = delete;
    CRuntime& operator=(const CRuntime&) = delete;

    // Runs the event loop until the last window closes.
    int Run();
};
