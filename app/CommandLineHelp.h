// SPDX-License-Identifier: MIT
#pragma once

// The two switches a Linux user tries first: --help and --version. They are
// answered before the toolkit starts, so they work without any display.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// When an argument (without the program name) is exactly "--help" or
// "--version", writes the usage, or "Kestrin <version>" and the licence line,
// to out and returns
// the exit status, 0; the first of the two that appears wins. Otherwise
// returns nothing and writes nothing.
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, std::ostream& out);

// Ends standard output after an answer: flushed and closed, so that a full
// disk or a closed pipe is reported on err (one line, with the system's
// reason) and gives false, never a silent success.
bool CloseStandardOutput(std::ostream& err);
