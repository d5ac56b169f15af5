// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: texts that may carry a file or planet name, shown
// exactly as they are. A label or message box left to guess would read
// "<b>x</b>.dat" as markup, and "<img src=z>.dat" would make it load z;
// a window title would turn "[*]" into its mark of unsaved changes.

#include <QString>

class QLabel;

// A label's text, never markup.
void SetPlainText(QLabel* label, const QString& text);

// A window title that shows as given: each "[*]" doubled, which the toolkit
// shows as one "[*]" (an odd run would become the unsaved mark).
QString LiteralWindowTitle(const QString& title);
