// SPDX-License-Identifier: MIT
#pragma once

// Other programs started from a test: the built kestrin and kestrin-render,
// or the test binary itself in a private mount namespace. Every wait is
// bounded, so a program that hangs fails its test instead of the suite.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

struct ProcessResult {
    bool finished = false;  // false: killed when the time ran out
    int status = -1;        // the exit status, or 128 + the signal's number
};

// Starts argv[0] (a path) with the environment plus extra "NAME=value"
// entries; standard output and error go to log when it is given.
pid_t StartProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
                   const std::filesystem::path& log = {});
// Waits at most seconds, then kills the process and reports it unfinished.
ProcessResult WaitProcess(pid_t pid, int seconds);
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                         int seconds, const std::filesystem::path& log = {});

// Whether pid has a handler installed for signal (it has reached the point
// where the signal no longer kills it outright).
bool CatchesSignal(pid_t pid, int signal);

// Runs script with sh inside a private mount namespace where dir is a fresh
// 64 KiB tmpfs; the script finds its path in $FULL and fills the rest of it
// with "fill", a shell function. The status 77 means the namespace or the
// mount was refused here, and the test is to be skipped.
constexpr int kFullDiskRefused = 77;
ProcessResult RunOnFullDisk(const std::filesystem::path& dir, const std::string& script,
                            const std::vector<std::string>& extraEnv, const std::filesystem::path& log);

std::string ReadWholeFile(const std::filesystem::path& p);
