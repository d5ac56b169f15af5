// SPDX-License-Identifier: MIT
#pragma once

// The map as the web page carries it: one binary block, little-endian,
// which the page's data module decodes. Before compression it holds
//   "KSW1"
//   u32 planet count N, u32 coordinate divisor D (10 when every stored
//       coordinate is a whole multiple of ten, as the loader stores them,
//       else 1)
//   u8 pen count, then each pen's colour as three bytes red, green, blue
//   u8 legend row count, then each row: u8 pen, u16 length, UTF-8 text,
//       u16 length, UTF-8 code
//   u16 faction code count C, then each code: u8 pen, u16 length, UTF-8
//   x / D of every planet, then y / D, each as: i32 least value L, u8
//       plane count P, then P planes of N bytes (low bytes first) holding
//       each value less L: planes compress far better than whole numbers
//   u8 plane count, then every planet's code index in that many planes
//   u32 length, then the names in UTF-8 joined by line feeds (a name never
//       holds one)
// Names and codes are decoded from the map's encoding (TextEncoding.h),
// as the window draws them; pens and legend rows come from the faction
// table, so the page keeps no copy of either.

#include <string>

class CStarMap;

std::string WebPayload(const CStarMap& map);
