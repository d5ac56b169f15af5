// SPDX-License-Identifier: MIT
#pragma once

// Ends the test program when a single test runs longer than any test
// should, naming the test on standard error, so that a fault that leaves a
// test waiting (a modal window, an event loop, a pipe) fails in seconds
// rather than at CTest's limit for the whole program. The limit is in
// seconds, from KESTRIN_TEST_TIMEOUT (default 120; 0 turns it off).

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class TestWatchdog : public ::testing::EmptyTestEventListener {
public:
    static std::chrono::seconds LimitFromEnvironment();

    explicit TestWatchdog(std::chrono::seconds limit);
    ~TestWatchdog() override;
    TestWatchdog(const TestWatchdog&) = delete;
    TestWatchdog& operator=(const TestWatchdog&) = delete;

    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;

private:
    void Watch();

    std::chrono::seconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_test;  // empty between tests
    std::chrono::steady_clock::time_point m_started;
    bool m_stopping = false;
    std::thread m_thread;
};

// Runs every test under a watchdog of the environment's limit and returns
// what RUN_ALL_TESTS returns. The watchdog is owned here rather than by the
// test framework, so that its thread ends before the program does.
int RunAllTestsWatched();
