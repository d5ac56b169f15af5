// SPDX-License-Identifier: MIT
#pragma once

// Writing a file that the user named, without ever losing what stood there.
//
// Open looks at the target through its folder, opened once (OutputTarget.h:
// a symbolic link is followed to the folder of its target, so the link stays
// a link), and creates nothing. The first Write makes the new file in that
// folder, when the bytes are ready: an unnamed file where the file system
// has them, otherwise a hidden ".NAME.XXXXXX" made with O_EXCL|O_NOFOLLOW.
// Every write, the fsync and the close are checked, and only a complete file
// is given its hidden name and renamed over the target, against the same
// folder handle. On any failure, and when the object goes without Commit,
// the new file is removed and the target is left exactly as it was; nothing
// else is ever removed or truncated. While the hidden name exists, SIGTERM,
// SIGHUP and SIGINT remove it before they end the program (LiveTempFile.h);
// a kill -9 finds an unnamed file, which the system drops.
//
// The target is refused, at Open and again just before the rename, when it
// exists and is not a regular file (a folder, a pipe, a device: nothing
// blocks on a pipe without a reader), when it is write-protected (its
// owner's write bit is clear, or the system denies writing it), and when it
// is the same file, by device and inode, as a file that must be kept (the
// input being drawn).
//
// A replaced file keeps its permission bits and, where the system allows,
// its owner; a new file gets the mode asked for, less the umask.
// Failures carry the system's reason, such as "No space left on device".

#include "platform/surface/OutputTarget.h"

#include <functional>
#include <string>
#include <sys/types.h>

class COutputFile {
public:
    COutputFile() = default;
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    // Whether path may be written; on refusal sets reason. keep names a file
    // that must not be overwritten; empty for none.
    static bool CheckTarget(const std::string& path, const std::string& keep, std::string& reason);

    // Checks the target and keeps its folder open; no file is made yet.
    bool Open(const std::string& path, mode_t newMode = 0666, const std::string& keep = std::string());
    // Appends bytes, making the new file first; false, with the reason
    // kept, when any of them is lost.
    bool Write(const void* data, size_t size);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Makes the file durable and puts it in place of the target.
    bool Commit();
    // Removes the new file; the target stays as it was.
    void Discard();
    // After Open: removes new files that earlier runs left beside this
    // target (".NAME.XXXXXX", and "NAME.XXXXXX" of older versions when its
    // six characters mix letter cases or digits), when they are regular
    // files of this user untouched for a minute, so not another run's.
    void RemoveStaleFiles() const;

    // The system's reason for the first failure; empty while none.
    const std::string& Reason() const { return m_reason; }

    // Called by Open between the check and the making of the new file; for
    // tests, which change the folders there. Returns the hook replaced.
    static std::function<void()> SetCheckedHook(std::function<void()> hook);

private:
    bool Fail(int error);
    bool Fail(const std::string& reason);
    bool CreateNew();
    bool CreateNamed();
    template <typename Make>
    bool TakeHiddenName(Make make);
    bool NameUnnamed();
    bool KeepOwnerAndMode();
    bool RenameIntoPlace();

    COutputTarget m_target;
    std::string m_keep;
    mode_t m_newMode = 0666;
    int m_fd = -1;
    bool m_unnamed = false;    // made with O_TMPFILE: no name until Commit
    std::string m_tempName;    // the hidden name, while one exists
    off_t m_written = 0;
    bool m_replacing = false;
    struct {
        mode_t mode = 0;
        uid_t uid = 0;
        gid_t gid = 0;
    } m_old;
    std::string m_reason;
};
