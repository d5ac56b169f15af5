// SPDX-License-Identifier: MIT
#pragma once

// Output that is lost is a failure, never a success. Every kestrin-render
// command ends by flushing what it wrote and checking it; the program's
// last step closes the standard streams and checks that too, since a full
// disk or /dev/full may refuse bytes only at the flush or the close.

#include <ostream>
#include <string>

// Flushes out; when anything written to it was lost, writes one line on
// err ("kestrin-render: cannot write the standard output: REASON") and
// returns false.
bool OutputWritten(std::ostream& out, std::ostream& err);
// The same check without the message: the reason, or empty when every
// byte written to out was taken.
std::string OutputLoss(std::ostream& out);

// For main: flushes and closes the standard output and the standard error,
// checked. Returns status, or 2 when either lost bytes (the reason for the
// standard output goes to the standard error while it still works).
int CloseStandardStreams(int status);
