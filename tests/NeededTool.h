// SPDX-License-Identifier: MIT
#pragma once

// Outside programs a test looks through (pdftoppm to read a PDF page). On a
// developer's machine a missing one skips the test; under CI (CI=true)
// scripts/deps has installed every one, so a missing tool is a fault of the
// machine and fails the test instead of passing as a skip.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool HasCommand(const std::string& name)
{
    return std::system(("command -v '" + name + "' >/dev/null 2>&1").c_str()) == 0;
}

inline bool UnderCi()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

// Ends the test unless the program `name` is installed: a skip, or a failure
// under CI. `why` says what the test needs it for.
#define NEED_TOOL(name, why)                                         \
    if (HasCommand(name)) {                                          \
    } else if (UnderCi()) {                                          \
        FAIL() << (name) << " is not installed, needed " << (why);   \
    } else                                                           \
        GTEST_SKIP() << (name) << " is not installed, needed " << (why)
