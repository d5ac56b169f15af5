// SPDX-License-Identifier: MIT
#pragma once

// What kestrin-render knows about its picture before it reads the map:
// whether the output's ending is a type it writes (and whether that needs
// --print) and whether the target may be written at all. Checked first,
// so that an unwritable output costs no load and leaves nothing behind.

#include "RenderOptions.h"

#include <ostream>
#include <string>

// True when o.output may be written; else reason says why.
bool CheckPictureTarget(const RenderOptions& o, std::string& reason);
// Writes the one-line refusal and returns the exit status 2.
int CannotWritePicture(const RenderOptions& o, const std::string& reason, std::ostream& err);
// False, after one line on err, when the picture is to go to the standard
// output (-o -), out is it, and it is a terminal, where a picture's bytes
// would only garble the screen.
bool PictureOutputFits(const RenderOptions& o, const std::ostream& out, std::ostream& err);
