// SPDX-License-Identifier: MIT
#include "platform/framework/Runtime.h"

#include "TestWatchdog.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    CRuntime runtime(argc, argv, CRuntime::Display::OffscreenUnlessNamed);
    return RunAllTestsWatched();
}
