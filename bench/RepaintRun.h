// SPDX-License-Identifier: MIT
#pragma once

// One zoom of the repaint sweep, run in a process of its own so that the
// caller can stop a repaint that takes far too long (a map may freeze the
// surface for a minute) and still keep what was measured before it.
//
//   kestrin-bench --repaint MAP ZOOM [MEASURE...]
//
// paints MAP (a kind name) into a 1920 x 1080 back buffer as the view does,
// centred where BenchMapCentreOf says, and prints "ready" once the map is
// loaded and the toolkit's fonts are set up, then one line per measure as
// soon as it is done:
//
//   MEASURE <tab> median ms <tab> repetitions <tab> fastest ms <tab> slowest ms
//
// Measures (all but steps by default, in this order):
//   open       the first repaint after the file was opened: caches empty
//   warm       a repaint of the view just painted (an expose, a toggle)
//   zoomin     the first repaint after Zoom In from twice the extent
//   scroll     the first repaint after one scroll-bar line step to the right
//   steps      each repaint of a scroll to the right, one line step after
//              another from the view painted first
//   reference  a repaint through the plain reference surface
// Each is repeated up to five times or for about a second,
// whichever comes first, but at least once.

int RunRepaint(int argc, char** argv);
