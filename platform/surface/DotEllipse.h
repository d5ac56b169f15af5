// SPDX-License-Identifier: MIT
#pragma once

// An ellipse under this many device pixels across or down is drawn as one
// pixel, so that a planet stays visible however far out the map is zoomed.
// The surface draws by this size, and the view's look-up of the planet
// under the pointer measures by it, so both agree on what is a dot.
inline constexpr int kDotEllipsePixels = 2;
