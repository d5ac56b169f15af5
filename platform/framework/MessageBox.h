// SPDX-License-Identifier: MIT
#pragma once

// The framework's message box: modal, with the program's name as caption.
// Long paths wrap, or lose their middle, rather than run off the box
// (MessageText.h). Tests install a hook that answers instead, and sees the
// text as given, so no test waits on a window.

#include "platform/surface/Types.h"

#include <functional>
#include <string>

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

int AfxMessageBox(const std::string& text, UINT type = MB_OK | MB_ICONEXCLAMATION);

// Answers message boxes in place of the user; returns the previous hook.
using MessageBoxHook = std::function<int(const std::string& text, UINT type)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
