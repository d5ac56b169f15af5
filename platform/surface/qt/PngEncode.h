// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a PNG writer for the pictures this program makes. A
// map is mostly one background colour with thin figures and small text on
// it, which run-length deflating of unfiltered rows packs about as small
// as the toolkit's general writer (adaptive filters, default level) in
// well under half its time. Eight-bit RGB, no interlacing, the image's
// resolution in a pHYs chunk; the file is cut into IDAT chunks of at most
// 1 MiB.

#include <QImage>

#include <string>

// Appends the PNG file of image (32-bit RGB) to bytes; false when zlib
// fails.
bool EncodePng(const QImage& image, std::string& bytes);
