// SPDX-License-Identifier: MIT
#include "platform/print/qt/PrintStatusBox.h"

#include "platform/print/PrintService.h"
#include "platform/framework/qt/PlainText.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

// Defined with the other printing hooks.
PrintStatusHook& PrintStatusHookSlot();

CPrintStatusBox::CPrintStatusBox(std::vector<std::string> lines) : m_lines(std::move(lines))
{
    m_lines.push_back(std::string());  // the page line
    if (PrintStatusHookSlot()) {
        Report();
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    m_box = new QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint);
    m_box->setWindowTitle(LiteralWindowTitle(QApplication::applicationName()));
    m_box->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(m_box);
    for (size_t i = 0; i + 1 < m_lines.size(); ++i) {
        auto* label = new QLabel(m_box);
        SetPlainText(label, QString::fromLocal8Bit(m_lines[i].c_str()));  // the title and file are names
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    m_pageLabel = new QLabel(m_box);
    m_pageLabel->setTextFormat(Qt::PlainText);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_pageLabel);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_box);
    layout->addWidget(cancel, 0, Qt::AlignCenter);
    QObject::connect(cancel, &QPushButton::clicked, m_box, [this] { m_cancelled = true; });
    m_box->show();
    QApplication::processEvents();
}

CPrintStatusBox::~CPrintStatusBox()
{
    delete m_box.data();
}

bool CPrintStatusBox::SetPage(unsigned page)
{
    char text[32];
    std::snprintf(text, sizeof text, "Page %u", page);
    m_lines.back() = text;
    if (m_pageLabel)
        m_pageLabel->setText(QString::fromLatin1(text));
    return Report();
}

bool CPrintStatusBox::Cancelled()
{
    if (m_box)
        QApplication::processEvents();
    return m_cancelled;
}

bool CPrintStatusBox::Report()
{
    if (PrintStatusHookSlot()) {
        if (!PrintStatusHookSlot()(m_lines))
            m_cancelled = true;
    } else if (m_box) {
        // Pending events run so that Cancel can be pressed.
        QApplication::processEvents();
    }
    return !m_cancelled;
}
