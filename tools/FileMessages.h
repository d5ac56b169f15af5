// SPDX-License-Identifier: MIT
#pragma once

// The one-line messages of kestrin-render about the map it reads. A file
// name is shown with its control bytes and non-UTF-8 bytes escaped, so that
// no name can act on the terminal.

#include <ostream>
#include <string>

struct CLoadDiagnostic;

// "kestrin-render: cannot open PATH: REASON"; returns the exit status 2.
int CannotOpen(const std::string& path, const std::string& reason, std::ostream& err);

// "FILE:LINE: cause" and then after, for a load that stopped at a bad
// line; a file in UTF-16, which the viewer reads byte by byte, is named as
// such on a line of its own.
void LoadStopped(const std::string& path, const CLoadDiagnostic& diagnostic, const char* after, std::ostream& err);
