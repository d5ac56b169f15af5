// SPDX-License-Identifier: MIT
#pragma once

// What the window holds for a map beyond what it holds for an empty one,
// per planet:
//
//   kestrin-bench --window-memory MAP
//
// starts the application without a file (its window off screen, at its
// own size), paints, and notes the heap in use; opens MAP's file as File
// Open does, notes the heap again (the model), paints (the first painted
// map), then zooms in three times and scrolls one step, painting each time
// (the caches a short look around fills). Prints one line per stage:
// "STAGE <tab> bytes per planet beyond the empty map". The heap in use is
// the C library's count of bytes handed out, the toolkit's included.

int RunWindowMemory(int argc, char** argv);
