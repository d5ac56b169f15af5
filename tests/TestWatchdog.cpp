// SPDX-License-Identifier: MIT
#include "TestWatchdog.h"

#include <cstdio>
#include <cstdlib>

std::chrono::seconds TestWatchdog::LimitFromEnvironment()
{
    const char* value = std::getenv("KESTRIN_TEST_TIMEOUT");
    long seconds = value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : 120;
    return std::chrono::seconds(seconds > 0 ? seconds : 0);
}

TestWatchdog::TestWatchdog(std::chrono::seconds limit) : m_limit(limit)
{
    if (m_limit.count() > 0)
        m_thread = std::thread([this] { Watch(); });
}

TestWatchdog::~TestWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void TestWatchdog::OnTestStart(const ::testing::TestInfo& test)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_test = std::string(test.test_suite_name()) + "." + test.name();
    m_started = std::chrono::steady_clock::now();
}

void TestWatchdog::OnTestEnd(const ::testing::TestInfo&)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_test.clear();
}

void TestWatchdog::Watch()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        m_wake.wait_for(lock, std::chrono::milliseconds(200));
        if (m_test.empty() || std::chrono::steady_clock::now() - m_started < m_limit)
            continue;
        std::fprintf(stderr, "\n%s has run for more than %lld s; the test program stops here\n", m_test.c_str(),
                     static_cast<long long>(m_limit.count()));
        std::fflush(stderr);
        std::_Exit(124);
    }
}

int RunAllTestsWatched()
{
    TestWatchdog watchdog(TestWatchdog::LimitFromEnvironment());
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(&watchdog);
    int result = RUN_ALL_TESTS();
    listeners.Release(&watchdog);
    return result;
}
