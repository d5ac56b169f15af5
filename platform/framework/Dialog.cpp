// SPDX-License-Identifier: MIT
#include "platform/framework/Dialog.h"

#include "platform/framework/Hook.h"

#include "platform/framework/MessageBox.h"
#include "platform/framework/ResourceRegistry.h"
#include "platform/framework/qt/EditSuggestions.h"
#include "platform/framework/qt/IconRaster.h"
#include "platform/framework/qt/PlainText.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <map>

namespace {

struct DialogTag;
using Hook = CHookSlot<DialogTag, DialogHook>;

QPixmap IconPixmap(const CIconDef& icon, int size, qreal ratio)
{
    QPixmap drawn = SvgPixmap(icon.svg, QSize(size, size), ratio);
    if (!drawn.isNull())
        return drawn;
    std::map<char, QRgb> colours;
    for (const auto& [letter, colour] : icon.palette)
        colours[letter] = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    int rows = static_cast<int>(icon.rows.size());
    int cols = rows ? static_cast<int>(icon.rows[0].size()) : 0;
    QImage image(cols, rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols && x < static_cast<int>(icon.rows[y].size()); ++x)
            image.setPixel(x, y, colours[icon.rows[y][x]]);
    return QPixmap::fromImage(image.scaled(size, size));
}

// Pixels of one dialog unit, from the dialog font's average character.
struct DialogUnits {
    double x, y;
    explicit DialogUnits(const QFont& font)
    {
        QFontMetrics fm(font);
        QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        x = fm.horizontalAdvance(sample) / 52.0 / 4.0;
        y = fm.height() / 8.0;
    }
    QRect Rect(const CDialogItemDef& item) const
    {
        return QRect(qRound(item.x * x), qRound(item.y * y), qRound(item.cx * x), qRound(item.cy * y));
    }
};

QWidget* MakeItem(QDialog& dialog, const CDialogItemDef& item, std::map<int, QLineEdit*>& edits)
{
    QString text = QString::fromStdString(item.text);
    switch (item.kind) {
    case CDialogItemDef::Static: {
        auto* label = new QLabel(&dialog);
        SetPlainText(label, text);
        return label;
    }
    case CDialogItemDef::Icon: {
        auto* label = new QLabel(&dialog);
        if (const CIconDef* icon = AfxGetResources().icon)
            label->setPixmap(IconPixmap(*icon, 32, dialog.devicePixelRatioF()));
        return label;
    }
    case CDialogItemDef::Frame: {
        auto* frame = new QFrame(&dialog);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->lower();
        return frame;
    }
    case CDialogItemDef::Edit: {
        auto* edit = new QLineEdit(text, &dialog);
        edits[item.id] = edit;
        return edit;
    }
    case CDialogItemDef::Button:
    case CDialogItemDef::DefButton: {
        // Enter presses the button that has the focus, and the default
        // button while the focus is anywhere else.
        auto* button = new QPushButton(text, &dialog);
        button->setDefault(item.kind == CDialogItemDef::DefButton);
        button->setAutoDefault(true);
        int id = item.id;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, id] { dialog.done(id); });
        return button;
    }
    }
    return nullptr;
}

int RunWidgets(const CDialogTemplateDef& def, std::map<int, std::string>& texts,
               const std::map<int, CDialog::SuggestFunction>& suggestions)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(LiteralWindowTitle(QString::fromStdString(def.caption)));
    QFont font(QString::fromStdString(def.fontFace), def.fontPoints);
    dialog.setFont(font);
    DialogUnits du(font);
    std::map<int, QLineEdit*> edits;
    QWidget* first = nullptr;
    for (const CDialogItemDef& item : def.items) {
        QWidget* w = MakeItem(dialog, item, edits);
        w->setGeometry(du.Rect(item));
        if (item.kind == CDialogItemDef::Edit && first == nullptr)
            first = w;
    }
    for (auto& [id, edit] : edits)
        edit->setText(QString::fromStdString(texts[id]));
    for (const auto& [id, suggest] : suggestions) {
        auto edit = edits.find(id);
        if (edit != edits.end() && suggest)
            AttachSuggestions(edit->second, suggest);
    }
    dialog.setFixedSize(qRound(def.cx * du.x), qRound(def.cy * du.y));
    if (first)
        first->setFocus();
    int result = dialog.exec();
    if (result != IDOK)
        return IDCANCEL;  // Cancel, Esc and the close box alike
    for (auto& [id, edit] : edits)
        texts[id] = edit->text().toStdString();
    return IDOK;
}

} // namespace

DialogHook SetDialogHook(DialogHook hook)
{
    return Hook::Replace(std::move(hook));
}

int CDialog::DoModal()
{
    std::map<int, std::string> texts;
    CDataExchange load(texts, false);
    DoDataExchange(&load);
    int result = IDCANCEL;
    if (Hook::Get()) {
        result = Hook::Get()(m_templateId, texts) == IDOK ? IDOK : IDCANCEL;
    } else {
        const CResourceSet& res = AfxGetResources();
        const CDialogTemplateDef* def = res.dialog ? res.dialog(m_templateId) : nullptr;
        if (def == nullptr)
            return -1;
        result = RunWidgets(*def, texts, m_suggestions);
    }
    if (result == IDOK) {
        CDataExchange save(texts, true);
        DoDataExchange(&save);
    }
    return result;
}
