#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {
ShellOpenHook& Hook()
{
    static ShellOpenHook hook;
    return hook;
}
} // namespace

ShellOpenHook SetShellOpenHook(ShellOpenHook hook)
{
    ShellOpenHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void AfxShellOpen(const std::string& file)
{
    QString path = QDir::current().absoluteFilePath(QString::fromStdString(file));
    if (Hook()) {
        Hook()(path.toStdString());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
