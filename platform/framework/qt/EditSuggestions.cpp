#include "platform/framework/qt/EditSuggestions.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QStringListModel>

#include <algorithm>
#include <string>
#include <vector>

namespace {

QStringList ToStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

// Under the field, and wide enough for the longest entry: a name cut
// short by the field's width could not be told from its neighbours.
QRect ListRect(const QLineEdit* edit, const QAbstractItemView* list)
{
    int needed = list->sizeHintForColumn(0) + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    return QRect(0, 0, std::max(edit->width(), needed), edit->height());
}

} // namespace

void AttachSuggestions(QLineEdit* edit, CDialog::SuggestFunction suggest)
{
    // The completer is given the field as its widget but is not the field's
    // own completer: the field then neither completes inline nor copies the
    // highlighted entry into itself, and the list holds exactly what the
    // function gave, in its order. The completer's popup handling gives
    // the keys: Down and Up move, Enter and a click choose, Esc closes, and
    // none of them reaches the dialog while the list is open.
    auto* model = new QStringListModel(edit);
    auto* completer = new QCompleter(model, edit);
    completer->setWidget(edit);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    QObject::connect(edit, &QLineEdit::textEdited, completer, [edit, completer, model, suggest](const QString& text) {
        QStringList list = ToStringList(suggest(text.toStdString()));
        model->setStringList(list);
        if (list.isEmpty() || !edit->hasFocus()) {
            completer->popup()->hide();
            return;
        }
        completer->setMaxVisibleItems(int(list.size()));  // all of them, without a scroll bar
        completer->complete(ListRect(edit, completer->popup()));
        completer->popup()->setCurrentIndex(QModelIndex());
    });
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::activated), edit,
                     [edit](const QString& chosen) { edit->setText(chosen); });
}
