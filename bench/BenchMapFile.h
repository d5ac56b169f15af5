// SPDX-License-Identifier: MIT
#pragma once

// Writes a benchmark map to a new file for timing the programs by hand:
// a file that already stands at the path is refused and left as it was,
// every write is checked to its end, the close included, and a file that
// could not be written whole is removed again (it was created here).

#include "BenchMapKinds.h"

#include <string>

// False with the system's reason when the map was not written whole.
bool WriteBenchMapFile(BenchMapKind kind, const std::string& path, std::string& reason);
