// SPDX-License-Identifier: MIT
#include "platform/surface/LiveTempFile.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The folder of the armed file, -1 while none is armed; the name is written
// before the folder is stored and read after it is taken.
std::atomic<int> g_dir{-1};
char g_name[NAME_MAX + 1];
std::atomic<bool> g_installed{false};

static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the folder without a lock");

void OnSignal(int signal)
{
    int saved = errno;
    int dir = g_dir.exchange(-1);
    if (dir >= 0)
        ::unlinkat(dir, g_name, 0);
    errno = saved;
    // SA_RESETHAND put the default action back: the signal ends the program
    // as soon as the handler returns.
    ::raise(signal);
}

void InstallOnce()
{
    if (g_installed.exchange(true))
        return;
    for (int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0)
            continue;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigfillset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

void ArmLiveTempFile(int dir, const char* name)
{
    g_dir.store(-1);
    size_t length = std::strlen(name);
    if (dir < 0 || length >= sizeof g_name)
        return;
    InstallOnce();
    std::memcpy(g_name, name, length + 1);
    g_dir.store(dir);
}

void DisarmLiveTempFile(int dir)
{
    g_dir.compare_exchange_strong(dir, -1);
}
