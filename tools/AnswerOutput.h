// SPDX-License-Identifier: MIT
#pragma once

// Where a command's data goes: to the standard output (no -o, or -o -),
// or, when -o names a file, through the safe output file (COutputFile), so
// that a failed write leaves the user's file as it was. The standard output
// is checked to its end (OutputCheck.h).

#include "RenderOptions.h"

#include <ostream>
#include <string>

// True when o.output, if any, may be written; else one line on err.
bool AnswerTargetWritable(const RenderOptions& o, std::ostream& err);
// Writes text to o.output or out; false, after one line on err, when any
// of it was lost.
bool WriteAnswer(const RenderOptions& o, const std::string& text, std::ostream& out, std::ostream& err);
