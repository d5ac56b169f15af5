// SPDX-License-Identifier: MIT
#pragma once

// The framework's Open dialog, with a hook that answers it in tests.

#include <functional>
#include <string>
#include <vector>

struct CFileFilter {
    std::string name;     // "Data Files (*.dat)"
    std::string pattern;  // "*.dat"
};

// Asks the user for a file to open; false when cancelled.
bool AfxPromptOpenFileName(std::string& path, const std::vector<CFileFilter>& filters);

// Answers the Open dialog in place of the user: returns false for Cancel,
// or sets the path and returns true. Returns the previous hook.
using FileDialogHook = std::function<bool(std::string& path)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);
