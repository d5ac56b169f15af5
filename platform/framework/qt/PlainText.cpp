// SPDX-License-Identifier: MIT
#include "platform/framework/qt/PlainText.h"

#include <QLabel>

void SetPlainText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

QString LiteralWindowTitle(const QString& title)
{
    QString shown = title;
    shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return shown;
}
