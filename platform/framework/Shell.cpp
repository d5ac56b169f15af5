// SPDX-License-Identifier: MIT
#include "platform/framework/Shell.h"

#include "platform/framework/Hook.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {
struct ShellOpenTag;
using Hook = CHookSlot<ShellOpenTag, ShellOpenHook>;
} // namespace

ShellOpenHook SetShellOpenHook(ShellOpenHook hook)
{
    return Hook::Replace(std::move(hook));
}

void AfxShellOpen(const std::string& file)
{
    QString path = QDir::current().absoluteFilePath(QString::fromStdString(file));
    if (Hook::Get()) {
        Hook::Get()(path.toStdString());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
