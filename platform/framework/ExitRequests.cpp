// SPDX-License-Identifier: MIT
#include "platform/framework/ExitRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// The write end of the pipe, for the handler; -1 while none is installed.
volatile sig_atomic_t g_wakeFd = -1;

void OnSignal(int)
{
    int saved = errno;
    char byte = 1;
    if (g_wakeFd >= 0)
        [[maybe_unused]] ssize_t n = ::write(g_wakeFd, &byte, 1);
    errno = saved;
}

} // namespace

struct CExitRequests::Impl {
    int pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
    QMetaObject::Connection session;
    bool ended = false;
    struct sigaction previous[std::size(kSignals)] {};
};

CExitRequests::CExitRequests(std::function<void()> saveNow) : m_impl(std::make_unique<Impl>())
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        m_impl->session = QObject::connect(app, &QGuiApplication::commitDataRequest,
                                           [saveNow](QSessionManager&) { saveNow(); });
    if (::pipe2(m_impl->pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_impl->notifier = std::make_unique<QSocketNotifier>(m_impl->pipe[0], QSocketNotifier::Read);
    Impl* impl = m_impl.get();
    QObject::connect(m_impl->notifier.get(), &QSocketNotifier::activated, [impl] {
        char buf[16];
        while (::read(impl->pipe[0], buf, sizeof buf) > 0) {
        }
        impl->ended = true;
        QCoreApplication::exit(0);  // every event loop, a modal dialog's too
    });
    g_wakeFd = m_impl->pipe[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &m_impl->previous[i]);
}

bool CExitRequests::EndRequested() const
{
    return m_impl->ended;
}

CExitRequests::~CExitRequests()
{
    QObject::disconnect(m_impl->session);
    if (m_impl->pipe[0] < 0)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &m_impl->previous[i], nullptr);
    g_wakeFd = -1;
    m_impl->notifier.reset();
    ::close(m_impl->pipe[0]);
    ::close(m_impl->pipe[1]);
}
