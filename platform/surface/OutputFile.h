#pragma once

// Writing a file that the user named, without ever losing what stood there.
//
// The bytes go to a new file made with O_EXCL beside the target (in the
// folder of a symbolic link's target, so the link stays a link); every write,
// the fsync and the close are checked, and only a complete file is renamed
// over the target. On any failure, and when the object goes without Commit,
// that new file is removed and the target is left exactly as it was; nothing
// else is ever removed or truncated.
//
// Before anything is opened, the target is refused when it exists and is
// not a regular file (a folder, a pipe, a device: nothing blocks on a pipe
// without a reader), when it is write-protected (its owner's write bit is
// clear, or the system denies writing it), and when it is the same file, by
// device and inode, as a file that must be kept (the input being drawn).
//
// A replaced file keeps its permission bits and, where the system allows,
// its owner; a new file gets the mode asked for, less the umask.
// Failures carry the system's reason, such as "No space left on device".

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

    // Checks the target and creates the new file beside it.
    bool Open(const std::string& path, mode_t newMode = 0666, const std::string& keep = std::string());
    // Appends bytes; false, with the reason kept, when any of them is lost.
    bool Write(const void* data, size_t size);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Makes the file durable and puts it in place of the target.
    bool Commit();
    // Removes the new file; the target stays as it was.
    void Discard();

    // The system's reason for the first failure; empty while none.
    const std::string& Reason() const { return m_reason; }
    // The file that is replaced: the target, or the end of its links.
    const std::string& Target() const { return m_target; }

private:
    bool Fail(int error);
    bool CreateBeside(mode_t newMode);

    std::string m_target;
    int m_dir = -1;
    int m_fd = -1;
    std::string m_tempName;
    std::string m_name;
    off_t m_written = 0;
    bool m_replacing = false;
    struct {
        mode_t mode = 0;
        uid_t uid = 0;
        gid_t gid = 0;
    } m_old;
    std::string m_reason;
};
