#include "platform/Runtime.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    CRuntime runtime(argc, argv, /*headless=*/true);
    return RUN_ALL_TESTS();
}
