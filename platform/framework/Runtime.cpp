// SPDX-License-Identifier: MIT
#include "platform/framework/Runtime.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<QApplication>& App()
{
    static std::unique_ptr<QApplication> app;
    return app;
}

// While the application object is made, the toolkit's messages wait here:
// a platform that cannot start ends in a fatal message, which becomes the
// program's one line instead of an abort; otherwise they are passed on.
struct StartMessages {
    struct Held {
        QtMsgType type;
        QString text;
    };
    std::string program;
    QtMessageHandler previous = nullptr;
    std::vector<Held> held;
};
StartMessages g_start;

std::string DisplayName()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (x11 != nullptr && *x11 != '\0')
        return std::string("\"") + x11 + "\"";
    if (wayland != nullptr && *wayland != '\0')
        return std::string("\"") + wayland + "\"";
    return "(DISPLAY is not set)";
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtFatalMsg) {
        g_start.held.push_back({type, text});
        return;
    }
    std::fprintf(stderr, "%s: cannot open the display %s\n", g_start.program.c_str(), DisplayName().c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

// While it starts, the toolkit looks for the user's runtime folder and warns
// when XDG_RUNTIME_DIR is unset or unusable. A headless program keeps
// nothing there, so the warning says nothing about its work, and on a run
// that succeeds it would be the one line on standard error.
bool AboutRuntimeFolder(const QString& text)
{
    return text.startsWith(QLatin1String("QStandardPaths: "));
}

std::string ProgramName(char** argv)
{
    std::string path = argv != nullptr && argv[0] != nullptr ? argv[0] : "kestrin";
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

CRuntime::CRuntime(int& argc, char** argv, Display display)
{
    if (display == Display::Offscreen ||
        (display == Display::OffscreenUnlessNamed && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    if (QCoreApplication::instance())
        return;
    g_start.program = ProgramName(argv);
    g_start.previous = qInstallMessageHandler(HoldStartMessage);
    App() = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_start.previous);
    for (const StartMessages::Held& message : g_start.held)
        if (display != Display::Offscreen || !AboutRuntimeFolder(message.text))
            qt_message_output(message.type, QMessageLogContext(), message.text);
    g_start.held.clear();
}

CRuntime::~CRuntime()
{
    App().reset();
}

int CRuntime::Run()
{
    return QApplication::exec();
}
