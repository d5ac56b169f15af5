// SPDX-License-Identifier: MIT
#pragma once

// Bytes the program holds from operator new, counted by replacing the
// global allocation functions in the benchmark executable.

#include <cstddef>

std::size_t AllocatedBytes();
