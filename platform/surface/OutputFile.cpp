#include "platform/surface/OutputFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kNotRegular = "not a regular file";
constexpr const char* kIsKept = "it is the input file";
// The new file's name is the target's name, cut to leave room for this.
constexpr size_t kSuffixLength = 7;  // ".XXXXXX"
constexpr int kNameAttempts = 100;

// What the target is after its links; exists is false for a new file.
struct Inspection {
    std::string path;
    bool exists = false;
    struct stat st {};
};

// Follows a symbolic link at path to the file it names, so that the link
// survives the replacement. A dangling link fails with the system's reason.
bool Inspect(const std::string& path, Inspection& out, std::string& reason)
{
    out = Inspection();
    out.path = path;
    struct stat lst;
    if (::lstat(path.c_str(), &lst) != 0) {
        if (errno == ENOENT)
            return true;
        reason = std::strerror(errno);
        return false;
    }
    if (S_ISLNK(lst.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr) {
            reason = std::strerror(errno);
            return false;
        }
        out.path = real;
        std::free(real);
    }
    out.exists = ::stat(out.path.c_str(), &out.st) == 0;
    return true;
}

bool WriteProtected(const Inspection& target, int& error)
{
    // Root may write anything, so the owner's bit is what the user set.
    if ((target.st.st_mode & S_IWUSR) == 0) {
        error = EACCES;
        return true;
    }
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        error = errno;
        return true;
    }
    return false;
}

bool SameFile(const struct stat& a, const std::string& other)
{
    struct stat b;
    return !other.empty() && ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Refused(const Inspection& target, const std::string& keep, std::string& reason)
{
    if (!target.exists)
        return false;
    int error = 0;
    if (S_ISDIR(target.st.st_mode))
        reason = std::strerror(EISDIR);
    else if (!S_ISREG(target.st.st_mode))
        reason = kNotRegular;
    else if (SameFile(target.st, keep))
        reason = kIsKept;
    else if (WriteProtected(target, error))
        reason = std::strerror(error);
    return !reason.empty();
}

std::string RandomSuffix()
{
    static std::mt19937 engine{std::random_device{}()};
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string s = ".";
    for (size_t i = 1; i < kSuffixLength; ++i)
        s += kChars[pick(engine)];
    return s;
}

} // namespace

COutputFile::~COutputFile()
{
    Discard();
}

bool COutputFile::CheckTarget(const std::string& path, const std::string& keep, std::string& reason)
{
    reason.clear();
    Inspection target;
    if (!Inspect(path, target, reason))
        return false;
    return !Refused(target, keep, reason);
}

bool COutputFile::Open(const std::string& path, mode_t newMode, const std::string& keep)
{
    Discard();
    m_reason.clear();
    Inspection target;
    if (!Inspect(path, target, m_reason) || Refused(target, keep, m_reason))
        return false;
    m_target = target.path;
    size_t slash = m_target.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : m_target.substr(0, slash == 0 ? 1 : slash);
    m_name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    if (m_name.empty())
        return Fail(EISDIR);
    m_replacing = target.exists;
    m_old = {target.st.st_mode & 07777, target.st.st_uid, target.st.st_gid};
    // A folder that can be written but not listed still takes the file; only
    // the final fsync of the folder needs it readable.
    m_dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dir < 0)
        m_dir = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_dir < 0)
        return Fail(errno);
    return CreateBeside(newMode);
}

bool COutputFile::CreateBeside(mode_t newMode)
{
    std::string base = m_name.substr(0, std::min<size_t>(m_name.size(), NAME_MAX - kSuffixLength));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = base + RandomSuffix();
        // O_EXCL: whatever stands at the name, a link or a pipe, is neither
        // followed nor waited for; another name is tried instead.
        m_fd = ::openat(m_dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newMode);
        if (m_fd >= 0) {
            m_tempName = name;
            break;
        }
        if (errno != EEXIST)
            return Fail(errno);
    }
    if (m_fd < 0)
        return Fail(EEXIST);
    if (m_replacing) {
        // Best effort: a user who may not give the file away keeps it.
        if (::fchown(m_fd, m_old.uid, m_old.gid) != 0 && errno != EPERM)
            return Fail(errno);
        if (::fchmod(m_fd, m_old.mode) != 0)
            return Fail(errno);
    }
    return true;
}

bool COutputFile::Write(const void* data, size_t size)
{
    if (m_fd < 0)
        return Fail(m_reason.empty() ? EBADF : 0);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(m_fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return Fail(EIO);
        p += n;
        size -= static_cast<size_t>(n);
        m_written += n;
    }
    return true;
}

bool COutputFile::Commit()
{
    if (m_fd < 0)
        return Fail(m_reason.empty() ? EBADF : 0);
    struct stat st;
    if (::fsync(m_fd) != 0)
        return Fail(errno);
    if (::fstat(m_fd, &st) != 0)
        return Fail(errno);
    if (st.st_size != m_written)
        return Fail(EIO);
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (::renameat(m_dir, m_tempName.c_str(), m_dir, m_name.c_str()) != 0)
        return Fail(errno);
    m_tempName.clear();
    ::fsync(m_dir);  // the rename's durability; a folder opened by path only says EBADF
    Discard();
    return true;
}

void COutputFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_dir >= 0 && !m_tempName.empty())
        ::unlinkat(m_dir, m_tempName.c_str(), 0);
    m_tempName.clear();
    if (m_dir >= 0)
        ::close(m_dir);
    m_dir = -1;
    m_written = 0;
}

bool COutputFile::Fail(int error)
{
    if (m_reason.empty() && error != 0)
        m_reason = std::strerror(error);
    Discard();
    return false;
}
