#pragma once

// Modal dialogs built from a registered dialog template in dialog units,
// laid out with the dialog's font. Edit controls exchange their text, in
// UTF-8, with the dialog's fields through DoDataExchange. Enter presses the
// push button that has the focus, else the default button. Tests install a
// hook that answers every dialog in place of the user.

#include "platform/framework/DataExchange.h"
#include "platform/surface/Types.h"

#include <functional>
#include <map>
#include <string>

class CDialog {
public:
    explicit CDialog(int templateId) : m_templateId(templateId) {}
    virtual ~CDialog() = default;

    // Runs the dialog; IDOK after OK (with the fields updated), IDCANCEL
    // after Cancel, Esc or the close box.
    virtual int DoModal();
    int GetTemplateId() const { return m_templateId; }

protected:
    virtual void DoDataExchange(CDataExchange*) {}

private:
    int m_templateId;
};

// Answers a dialog: given its template id and the edit texts it opened
// with, may change the texts, and returns IDOK or IDCANCEL.
using DialogHook = std::function<int(int templateId, std::map<int, std::string>& texts)>;
DialogHook SetDialogHook(DialogHook hook);
