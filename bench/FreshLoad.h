// SPDX-License-Identifier: MIT
#pragma once

// One load in a fresh process, as the program does it on start-up:
//
//   kestrin-bench --load-once FILE
//
// loads FILE into a new map, then counts its lines with fgets as the load
// benchmark's anchor does, and prints both times on one line:
// "load <tab> ms <tab> count <tab> ms".

int RunLoadOnce(int argc, char** argv);
