// SPDX-License-Identifier: MIT
#pragma once

// Makes permission bits bind the root user too, for tests of unreadable
// files: while an object lives, the calling thread's effective set lacks
// the two capabilities that let root read any file. The permitted set is
// kept, so the destructor can take them back. For any other user it does
// nothing, since permission bits already bind them.

class PermissionBitsApply {
public:
    PermissionBitsApply();
    ~PermissionBitsApply();
    PermissionBitsApply(const PermissionBitsApply&) = delete;
    PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;

    // Whether a file of mode 000 is now unreadable to this thread.
    bool Active() const { return m_active; }

private:
    bool m_dropped = false;
    bool m_active = false;
};
