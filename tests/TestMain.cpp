#include "platform/framework/Runtime.h"

#include "TestWatchdog.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    CRuntime runtime(argc, argv, CRuntime::Display::OffscreenUnlessNamed);
    // Owned here rather than by the test framework, so that its thread ends
    // before the program does.
    TestWatchdog watchdog(TestWatchdog::LimitFromEnvironment());
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(&watchdog);
    int result = RUN_ALL_TESTS();
    listeners.Release(&watchdog);
    return result;
}
