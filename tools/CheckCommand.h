// SPDX-License-Identifier: MIT
#pragma once

// kestrin-render --check: every problem of a data file, one line each,
//   FILE:LINE: error: MESSAGE
//   FILE:LINE: warning: MESSAGE
// in the order of the file's lines, then a summary line; a finding folded
// from a run of the same one ends "(N times on lines A to B)". With --json
// the same findings as one JSON document instead. The file is read with the
// loader's rules and never changed. Returns the exit status: 0 when
// nothing was found, 1 when there are errors, 3 for warnings only, 2 when
// the file cannot be read (the reason goes to err).

#include <ostream>
#include <string>

int RunCheck(const std::string& path, bool json, std::ostream& out, std::ostream& err);
