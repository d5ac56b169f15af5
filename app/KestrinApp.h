// SPDX-License-Identifier: MIT
#pragma once

// The application: settings, the document template binding the map
// document, the main frame and the map view, and the command line.

#include "platform/print/WinApp.h"

class CKestrinApp : public CWinApp {
public:
    CKestrinApp();
    BOOL InitInstance() override;
    void OnAppAbout();
};

// Runs the program with its arguments (without the program name).
int RunKestrin(int argc, char** argv);
