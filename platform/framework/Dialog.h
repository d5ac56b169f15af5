// SPDX-License-Identifier: MIT
#pragma once

// Modal dialogs built from a registered dialog template in dialog units,
// laid out with the dialog's font. Edit controls exchange their text, in
// UTF-8, with the dialog's fields through DoDataExchange. Enter presses the
// push button that has the focus, else the default button. Tests install a
// hook that answers every dialog in place of the user.
//
// An edit control may offer suggestions: as the user types, a list drops
// down under it with the texts the dialog's suggestion function gives for
// the text so far. While nothing in the list is highlighted, every key does
// what it does without the list: Enter is the default button, Esc cancels,
// Tab moves on. Down, Up or the pointer highlight an entry; then Enter
// puts it into the field and closes the list, and Esc closes the list and
// leaves the text as typed. A click puts the entry into the field at once.
// The list is a window of its own that never takes the focus: the
// template's layout and tab order stay as they are.

#include "platform/framework/DataExchange.h"
#include "platform/surface/Types.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class CDialog {
public:
    explicit CDialog(int templateId) : m_templateId(templateId) {}
    virtual ~CDialog() = default;

    // Runs the dialog; IDOK after OK (with the fields updated), IDCANCEL
    // after Cancel, Esc or the close box.
    virtual int DoModal();
    int GetTemplateId() const { return m_templateId; }

    // What to offer under an edit control for the text typed so far (all
    // UTF-8): texts, best first, and a last row that says what was left
    // out, shown but never chosen (empty for none). No texts, no list.
    struct Suggestions {
        std::vector<std::string> texts;
        std::string leftOut;
    };
    using SuggestFunction = std::function<Suggestions(const std::string& typed)>;
    void SetSuggestions(int editId, SuggestFunction suggest) { m_suggestions[editId] = std::move(suggest); }

protected:
    virtual void DoDataExchange(CDataExchange*) {}

private:
    int m_templateId;
    std::map<int, SuggestFunction> m_suggestions;
};

// Answers a dialog: given its template id and the edit texts it opened
// with, may change the texts, and returns IDOK or IDCANCEL.
using DialogHook = std::function<int(int templateId, std::map<int, std::string>& texts)>;
DialogHook SetDialogHook(DialogHook hook);
