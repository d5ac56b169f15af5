// SPDX-License-Identifier: MIT
#pragma once

// The one temporary file an output is being written to, known to the
// signal handlers, so that SIGTERM, SIGHUP or SIGINT do not leave it behind.
//
// A handler is installed, the first time a file is armed, for each of those
// signals that still has its default action (a program that handles one
// itself keeps its handler, and ends through its own exit path, where the
// output removes its file). The handler unlinks the armed file and ends the
// program by the same signal, as the default action would have. Everything
// the handler touches is async-signal-safe: an atomic folder handle and a
// name copied into a fixed buffer.

// Marks name, in the open folder dir, as the file to remove if the program
// is ended by a signal; replaces any file armed before. A name too long for
// a file name is not armed.
void ArmLiveTempFile(int dir, const char* name);
// Forgets the file armed in dir (it was renamed into place or removed).
void DisarmLiveTempFile(int dir);
