#include "Runtime.h"

#include <QApplication>

#include <memory>

namespace {

std::unique_ptr<QApplication>& App()
{
    static std::unique_ptr<QApplication> app;
    return app;
}

} // namespace

CRuntime::CRuntime(int& argc, char** argv, bool headless)
{
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    if (!QCoreApplication::instance())
        App() = std::make_unique<QApplication>(argc, argv);
}

CRuntime::~CRuntime()
{
    App().reset();
}

int CRuntime::Run()
{
    return QApplication::exec();
}
