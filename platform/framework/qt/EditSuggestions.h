// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the drop-down list of suggestions under a dialog's
// edit field (see Dialog.h for what the user sees and which keys are
// whose). Each edit of the text by the user asks the function again and
// shows its answer with nothing highlighted, or closes the list when it
// offers nothing; choosing an entry sets the field's text to it exactly.
// Text set by the program asks nothing.

#include "platform/framework/Dialog.h"

class QLineEdit;

// The list lives as long as the edit field.
void AttachSuggestions(QLineEdit* edit, CDialog::SuggestFunction suggest);
