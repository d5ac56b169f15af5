// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the letter keys by their place on the keyboard. An
// accelerator names a key, not a character: Ctrl+C is the key that types C
// on a US keyboard. With a Latin layout the typed letter decides, as it
// always has (so Ctrl+C on a French keyboard is the key marked C); with a
// layout that types no Latin letter there (Cyrillic, Greek, ...), the key's
// place does. The native key code is the one X11 and Wayland deliver: the
// kernel's key code plus 8.

#include <QKeyEvent>

// 'A' to 'Z' for the letter the key press stands for, or 0 when it is no
// letter key.
char AcceleratorLetter(const QKeyEvent* event);
