// SPDX-License-Identifier: MIT
#pragma once

// Letters compared without regard to case. Folding maps each capital to its
// small letter for the alphabets a map of an invented setting is written
// in: Latin (ASCII, Latin-1, Latin Extended-A and Additional, which cover
// every letter of Windows-1252), Greek and Cyrillic. Anything else is left
// as it is. One letter always folds to one letter, so folding never moves
// a match across a word boundary.

#include <string>
#include <string_view>

char32_t FoldCase(char32_t c);

// Well-formed UTF-8 text (as ToUtf8 gives it) with every letter folded.
std::string FoldCase(std::string_view utf8);
