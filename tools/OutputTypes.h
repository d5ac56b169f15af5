// SPDX-License-Identifier: MIT
#pragma once

// The kinds of file kestrin-render writes, chosen by the output's ending.
// One table holds them all, so a new kind is one more row; the usage, the
// help and the refusal of an unknown ending are all made from it.

#include <string>
#include <vector>

struct OutputType {
    const char* ending;  // ".png", matched without regard to letter case
    const char* format;  // the encoder's name for it; "PDF" and "SVG" are drawn as such
    bool pageOnly;       // written only for the printed page (--print)
    bool sized = true;   // a picture of a fixed size; a web page fills the browser's window
};

std::vector<OutputType> AllOutputTypes();
// The type for path's ending, or nullptr when none is written.
const OutputType* FindOutputType(const std::string& path);
// The list for messages: ".png, .jpg, .bmp, .ppm, .svg, .html and .pdf (with --print)".
std::string DescribeOutputTypes();
// Why path cannot be written as asked (print tells whether --print was
// given), or empty when it can.
std::string OutputTypeProblem(const std::string& path, bool print);
// Why the options that size a picture (--size, --print, --dpi: given tells
// which were) do not go with path's type, or empty.
std::string UnsizedTypeProblem(const std::string& path, bool given);
