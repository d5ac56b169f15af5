// SPDX-License-Identifier: MIT
#pragma once

// Invented planet data files for benchmarks and tests: planets with one to
// three name words, every faction code of the table and one unknown code,
// spread over the disc the light-year circles cover, plus a "Morvath" for
// the truce line. The same count and seed always give the same bytes.

#include <string>

std::string GeneratedMapText(int planets, unsigned seed = 20261207);
