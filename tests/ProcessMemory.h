// SPDX-License-Identifier: MIT
#pragma once

// The resident memory of the test process, from /proc/self/status, for
// tests that check that memory stays flat.

namespace ProcessMemory {

// Peak resident set (VmHWM) and current resident set (VmRSS) in KiB; 0 when
// the system does not tell.
long PeakKb();
long ResidentKb();
// Starts a new peak from the current resident set; false when the system
// does not allow it, and the peak then stays the process's lifetime peak.
bool ResetPeak();

} // namespace ProcessMemory
