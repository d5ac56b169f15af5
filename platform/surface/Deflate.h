// SPDX-License-Identifier: MIT
#pragma once

// Bytes compressed as a zlib stream (RFC 1950: deflate with its two-byte
// header and Adler-32 check), the form a browser's DecompressionStream
// ("deflate") inflates. Compressed at the highest level: what is written
// once is read many times.

#include <optional>
#include <string>
#include <string_view>

// Nothing when the compressor fails (out of memory, or input beyond its
// 32-bit length).
std::optional<std::string> DeflateBytes(std::string_view bytes);
