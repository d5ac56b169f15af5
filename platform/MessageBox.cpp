#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int AfxMessageBox(const std::string& text, UINT type)
{
    if (Hook())
        return Hook()(text, type);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return IDOK;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
    return IDOK;
}
