// SPDX-License-Identifier: MIT
#pragma once

// A message's text as a message box shows it. Paths in messages can be far
// wider than any screen, and a box cuts an unbroken line off at its edge.
// So a zero-width space (a place to wrap, invisible otherwise) follows every
// slash and every kWrapRun characters of a run without a space, and a line
// of more than kMaxLineChars characters keeps its beginning and its end
// around an ellipsis in the middle. Characters are never split.

#include <cstddef>
#include <string>

constexpr size_t kWrapRun = 40;
constexpr size_t kMaxLineChars = 600;

// text is UTF-8 (any other byte counts as one character); so is the result.
std::string ShownMessageText(const std::string& text);
