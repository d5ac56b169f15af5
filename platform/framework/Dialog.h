#pragma once

// Modal dialogs built from a registered dialog template in dialog units,
// laid out with the dialog's font. Edit controls exchange their text, in
// UTF-8, with the dialog's fields through DoDataExchange. Enter presses the
// push button that has the focus, else the default button. Tests install a
// hook that answers every dialog in place of the user.
//
// An edit control may offer suggestions: as the user types, a list drops
// down under it with the texts the dialog's suggestion function gives for
// the text so far. Down and Up move in it; Enter or a click puts the
// chosen text into the field and closes the list; Esc closes only the list.
// While the list is closed, Enter and Esc are the dialog's own. The list is
// a window of its own: the template's layout and tab order stay as they are.

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

    // Texts to offer under edit control editId for the text typed so far
    // (both UTF-8), best first; an empty list shows none.
    using SuggestFunction = std::function<std::vector<std::string>(const std::string& typed)>;
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
