#include "FileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {
FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}
} // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    FileDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool AfxPromptOpenFileName(std::string& path, const std::vector<CFileFilter>& filters)
{
    if (Hook())
        return Hook()(path);
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
