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
