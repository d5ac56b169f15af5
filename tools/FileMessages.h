#pragma once

// The one-line messages of kestrin-render about the map it reads. A file
// name is shown with its control bytes and non-UTF-8 bytes escaped, so that
// no name can act on the terminal.

#include <ostream>
#include <string>

// "kestrin-render: cannot open PATH: REASON"; returns the exit status 2.
int CannotOpen(const std::string& path, const std::string& reason, std::ostream& err);
