// SPDX-License-Identifier: MIT
#pragma once

// The desktop's open action for a file named relative to the current
// working directory. Its result is not reported: the desktop shows what it
// shows on its own.

#include <functional>
#include <string>

void AfxShellOpen(const std::string& file);

// Tests see the absolute path that would be opened instead.
using ShellOpenHook = std::function<void(const std::string& absolutePath)>;
ShellOpenHook SetShellOpenHook(ShellOpenHook hook);
