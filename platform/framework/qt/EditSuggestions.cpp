// SPDX-License-Identifier: MIT
#include "platform/framework/qt/EditSuggestions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <string>

namespace {

// The list watches the field's keys and focus and its own rows' pointer
// events; the keyboard focus never leaves the field, so every key the list
// does not take reaches the field and the dialog as it would without it.
class CSuggestionList : public QObject {
public:
    CSuggestionList(QLineEdit* edit, CDialog::SuggestFunction suggest);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh(const QString& typed);
    void Place();
    bool KeyPressed(const QKeyEvent& key);
    bool PointerEvent(QEvent* event);
    bool Choosable(int row) const { return row >= 0 && row < m_choices; }
    bool Highlighted() const { return Choosable(m_list->currentRow()) && m_list->currentItem()->isSelected(); }
    void Highlight(int row);
    void Choose(int row);
    void Close();

    QLineEdit* m_edit;
    QListWidget* m_list;
    CDialog::SuggestFunction m_suggest;
    int m_choices = 0;  // rows that can be chosen; a note may follow them
};

CSuggestionList::CSuggestionList(QLineEdit* edit, CDialog::SuggestFunction suggest)
    : QObject(edit), m_edit(edit), m_suggest(std::move(suggest))
{
    // A tool-tip window: it floats over the dialog without taking the focus
    // or the keyboard, and a modal dialog does not block its own.
    m_list = new QListWidget(edit->window());
    m_list->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setObjectName(QStringLiteral("suggestions"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_edit->installEventFilter(this);
    m_edit->window()->installEventFilter(this);
    QObject::connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) { Refresh(text); });
}

void CSuggestionList::Refresh(const QString& typed)
{
    CDialog::Suggestions offered = m_suggest(typed.toStdString());
    m_list->clear();
    m_choices = static_cast<int>(offered.texts.size());
    if (m_choices == 0 || !m_edit->hasFocus()) {
        Close();
        return;
    }
    for (const std::string& text : offered.texts)
        m_list->addItem(QString::fromStdString(text));
    if (!offered.leftOut.empty()) {
        auto* note = new QListWidgetItem(QString::fromStdString(offered.leftOut));
        note->setFlags(Qt::NoItemFlags);  // shown, greyed, never chosen
        m_list->addItem(note);
    }
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    Place();
    m_list->show();
    m_list->raise();
}

// Under the field, every row shown, and wide enough for the longest entry:
// a name cut short by the field's width could not be told from its
// neighbours.
void CSuggestionList::Place()
{
    int frame = 2 * m_list->frameWidth();
    int width = std::max(m_edit->width(), m_list->sizeHintForColumn(0) + frame);
    int height = frame;
    for (int row = 0; row < m_list->count(); ++row)
        height += m_list->sizeHintForRow(row);
    m_list->setGeometry(QRect(m_edit->mapToGlobal(QPoint(0, m_edit->height())), QSize(width, height)));
}

void CSuggestionList::Highlight(int row)
{
    if (!Choosable(row)) {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
        return;
    }
    m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CSuggestionList::Choose(int row)
{
    if (!Choosable(row))
        return;
    QString text = m_list->item(row)->text();
    Close();
    m_edit->setText(text);
}

void CSuggestionList::Close()
{
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_list->hide();
}

// Down and Up always move in an open list; Enter and Esc belong to it only
// while an entry is highlighted.
bool CSuggestionList::KeyPressed(const QKeyEvent& key)
{
    Qt::KeyboardModifiers held = key.modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (!m_list->isVisible() || held != Qt::KeyboardModifiers())
        return false;
    int row = Highlighted() ? m_list->currentRow() : -1;
    switch (key.key()) {
    case Qt::Key_Down:
        Highlight(std::min(row + 1, m_choices - 1));
        return true;
    case Qt::Key_Up:
        Highlight(row < 0 ? m_choices - 1 : row - 1);  // from the first, back to the text
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (row < 0)
            return false;
        Choose(row);
        return true;
    case Qt::Key_Escape:
        if (row < 0)
            return false;
        Close();
        return true;
    default:
        return false;
    }
}

bool CSuggestionList::PointerEvent(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    int row = m_list->row(m_list->itemAt(mouse->position().toPoint()));
    if (event->type() == QEvent::MouseMove && Choosable(row))
        Highlight(row);
    else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
        Choose(row);
    return true;  // the list's own selection by mouse stays out of it
}

bool CSuggestionList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: return PointerEvent(event);
        default: return false;
        }
    }
    if (watched != m_edit) {
        // The dialog moved away from the list, or another window came up.
        if (event->type() == QEvent::Move || event->type() == QEvent::WindowDeactivate)
            Close();
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: return KeyPressed(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:  // to another control (Tab, a click) or another window
    case QEvent::Hide: Close(); return false;
    default: return false;
    }
}

} // namespace

void AttachSuggestions(QLineEdit* edit, CDialog::SuggestFunction suggest)
{
    new CSuggestionList(edit, std::move(suggest));
}
