// SPDX-License-Identifier: MIT
#include "platform/framework/FileDialog.h"

#include "platform/framework/Hook.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {
struct FileDialogTag;
using Hook = CHookSlot<FileDialogTag, FileDialogHook>;
} // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    return Hook::Replace(std::move(hook));
}

bool AfxPromptOpenFileName(std::string& path, const std::vector<CFileFilter>& filters)
{
    if (Hook::Get())
        return Hook::Get()(path);
    QStringList list;
    for (const CFileFilter& f : filters)
        list << QString::fromStdString(f.name.find('(') == std::string::npos ? f.name + " (" + f.pattern + ")" : f.name);
    QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Open"), QString(),
                                                  list.join(QStringLiteral(";;")));
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}
