// SPDX-License-Identifier: MIT
#pragma once

// kestrin-render: draws what the view would show, or the printed page, into
// a picture file. Returns the exit status: 0 when the file loaded whole and
// the picture was written, 1 when the load failed part-way (the partial map
// is still written), 2 for usage errors, unreadable input or an unwritable
// picture (no picture is left behind). --help and --version write to out
// and return 0 without reading or drawing anything. --check and --route
// are commands of their own, with their own statuses (CheckCommand.h,
// RouteCommand.h); their reports go to out. In every mode, out is flushed
// and checked at the end: output that was lost gives 2 and one line on
// err, whatever the command's own status. With -o - the picture goes to
// out instead of a file, refused when out is a terminal.

#include <ostream>
#include <string>
#include <vector>

int RenderMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// As above, with out being the standard output.
int RenderMain(const std::vector<std::string>& args, std::ostream& err);
