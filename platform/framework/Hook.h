// SPDX-License-Identifier: MIT
#pragma once

// One replaceable hook per kind: tests put a function in place of a modal
// window (message box, dialog, file dialog, the desktop's open action) so
// that nothing ever waits on a user.

#include <utility>

template <class Tag, class Fn>
struct CHookSlot {
    static Fn& Get()
    {
        static Fn fn;
        return fn;
    }
    // Installs fn (or clears the hook with an empty one); returns the previous.
    static Fn Replace(Fn fn)
    {
        Fn previous = std::move(Get());
        Get() = std::move(fn);
        return previous;
    }
};
