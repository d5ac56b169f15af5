// SPDX-License-Identifier: MIT
#pragma once

// The string table: for each command its prompt and, after a newline, its
// tooltip; the program's name; the document string.

#include <string>

// The string of id, or an empty string when the table has none.
const std::string& LoadResourceString(int id);
// The part of a command's string after the newline: its tooltip.
std::string TooltipOf(int id);
