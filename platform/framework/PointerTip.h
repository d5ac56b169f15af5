// SPDX-License-Identifier: MIT
#pragma once

// A window's pointer tip: a small box of plain text by the pointer, the
// platform's tooltip. The program sets the text for where the pointer is
// now; the tip shows only once the pointer has rested on the client area
// for the platform's usual tooltip delay, and goes at once when the text
// changes or is cleared, when the pointer leaves the window, on a mouse
// button press and on any command the frame routes. The text is shown as
// it stands, one line per line feed: nothing in it is read as markup. The
// tip is a window of its own above the view, so it never touches the
// view's back buffer or anything drawn into it.

#include <string>

class CWnd;

// Sets the text for the pointer's place (UTF-8); an empty text hides the
// tip. A tip showing a different text is hidden first.
void SetPointerTip(CWnd& wnd, const std::string& text);
// The text the tip would show if the pointer rested now; empty for none.
std::string GetPointerTip(const CWnd& wnd);
// Whether a tip of this window is on screen now.
bool IsPointerTipShown(const CWnd& wnd);
