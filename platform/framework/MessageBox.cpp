// SPDX-License-Identifier: MIT
#include "platform/framework/MessageBox.h"

#include "platform/framework/Hook.h"
#include "platform/framework/MessageText.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
struct MessageBoxTag;
using Hook = CHookSlot<MessageBoxTag, MessageBoxHook>;
} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    return Hook::Replace(std::move(hook));
}

int AfxMessageBox(const std::string& text, UINT type)
{
    if (Hook::Get())
        return Hook::Get()(text, type);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return IDOK;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QString::fromLocal8Bit(ShownMessageText(text).c_str()), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a name in the text is never markup
    box.exec();
    return IDOK;
}
