// SPDX-License-Identifier: MIT
#include "platform/surface/OutputFile.h"

#include "platform/surface/LiveTempFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kIncomplete = "the file was not written whole";
constexpr size_t kSuffixLength = 6;
// The hidden name is ".", the target's name cut to leave room, "." and the suffix.
constexpr size_t kNameRoom = NAME_MAX - kSuffixLength - 2;
constexpr int kNameAttempts = 100;
// A new file of another run is renamed within moments; one untouched for
// this long was left by a run that ended.
constexpr time_t kStaleSeconds = 60;
constexpr const char kSuffixChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::function<void()>& CheckedHook()
{
    static std::function<void()> hook;
    return hook;
}

std::string Base(const std::string& name)
{
    return name.substr(0, std::min(name.size(), kNameRoom));
}

std::string HiddenName(const std::string& name)
{
    static std::mt19937 engine{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kSuffixChars - 2);
    std::string s = "." + Base(name) + ".";
    for (size_t i = 0; i < kSuffixLength; ++i)
        s += kSuffixChars[pick(engine)];
    return s;
}

// The suffix of a new file's name: six letters or digits. Old versions'
// names had no leading dot, so there a suffix must also mix kinds of
// character, which spares a user's "Kestrin.ini.backup".
bool IsSuffix(const std::string& s, bool strict)
{
    if (s.size() != kSuffixLength || s.find_first_not_of(kSuffixChars) != std::string::npos)
        return false;
    int lower = std::any_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    int upper = std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    int digit = std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    return !strict || lower + upper + digit >= 2;
}

bool IsNewFileOf(const std::string& entry, const std::string& name)
{
    const std::string hidden = "." + Base(name) + ".";
    const std::string old = name.substr(0, std::min(name.size(), size_t{NAME_MAX - 7})) + ".";
    if (entry.starts_with(hidden))
        return IsSuffix(entry.substr(hidden.size()), false);
    return entry.starts_with(old) && IsSuffix(entry.substr(old.size()), true);
}

bool ProcFdLinks()
{
    static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
    return usable;
}

} // namespace

COutputFile::~COutputFile()
{
    Discard();
}

std::function<void()> COutputFile::SetCheckedHook(std::function<void()> hook)
{
    std::swap(CheckedHook(), hook);
    return hook;
}

bool COutputFile::CheckTarget(const std::string& path, const std::string& keep, std::string& reason)
{
    reason.clear();
    COutputTarget target;
    int error = 0;
    if (!target.Find(path, error)) {
        reason = std::strerror(error);
        return false;
    }
    return !target.Refused(keep, reason);
}

bool COutputFile::Open(const std::string& path, mode_t newMode, const std::string& keep)
{
    Discard();
    m_reason.clear();
    int error = 0;
    if (!m_target.Find(path, error))
        return Fail(error);
    std::string refusal;
    if (m_target.Refused(keep, refusal))
        return Fail(refusal);
    m_keep = keep;
    m_newMode = newMode;
    m_replacing = m_target.exists;
    m_old = {m_target.st.st_mode & 07777, m_target.st.st_uid, m_target.st.st_gid};
    if (CheckedHook())
        CheckedHook()();
    return true;
}

bool COutputFile::CreateNew()
{
    m_unnamed = false;
    if (ProcFdLinks()) {
        m_fd = ::openat(m_target.dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, m_newMode);
        if (m_fd >= 0) {
            m_unnamed = true;
            return KeepOwnerAndMode();
        }
        // Only a file system without unnamed files is a reason to name it now.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return Fail(errno);
    }
    return CreateNamed() && KeepOwnerAndMode();
}

// Gives the file a fresh hidden name beside the target: make(name) tries
// one, failing with EEXIST when the name is taken (another's file), and
// then the next is tried. A name once made is armed, to be removed should
// the program end before the rename.
template <typename Make>
bool COutputFile::TakeHiddenName(Make make)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = HiddenName(m_target.name);
        if (make(name.c_str())) {
            m_tempName = name;
            ArmLiveTempFile(m_target.dir, name.c_str());
            return true;
        }
        if (errno != EEXIST)
            return Fail(errno);
    }
    return Fail(EEXIST);
}

bool COutputFile::CreateNamed()
{
    // O_EXCL|O_NOFOLLOW: whatever stands at the name, a link or a pipe,
    // is neither followed nor waited for; another name is tried instead.
    return TakeHiddenName([this](const char* name) {
        m_fd = ::openat(m_target.dir, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, m_newMode);
        return m_fd >= 0;
    });
}

bool COutputFile::KeepOwnerAndMode()
{
    if (!m_replacing)
        return true;
    // Best effort: a user who may not give the file away keeps it.
    if (::fchown(m_fd, m_old.uid, m_old.gid) != 0 && errno != EPERM)
        return Fail(errno);
    if (::fchmod(m_fd, m_old.mode) != 0)
        return Fail(errno);
    return true;
}

bool COutputFile::Write(const void* data, size_t size)
{
    if (m_target.dir < 0)
        return Fail(m_reason.empty() ? EBADF : 0);
    if (m_fd < 0 && !CreateNew())
        return false;
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

// Gives the finished unnamed file its hidden name, through its descriptor.
bool COutputFile::NameUnnamed()
{
    const std::string source = "/proc/self/fd/" + std::to_string(m_fd);
    return TakeHiddenName([&](const char* name) {
        return ::linkat(AT_FDCWD, source.c_str(), m_target.dir, name, AT_SYMLINK_FOLLOW) == 0;
    });
}

bool COutputFile::Commit()
{
    if (m_target.dir < 0)
        return Fail(m_reason.empty() ? EBADF : 0);
    if (m_fd < 0 && !CreateNew())
        return false;
    struct stat st;
    if (::fsync(m_fd) != 0 || ::fstat(m_fd, &st) != 0)
        return Fail(errno);
    if (st.st_size != m_written)
        return Fail(kIncomplete);
    if (m_unnamed && !NameUnnamed())
        return false;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    return RenameIntoPlace();
}

bool COutputFile::RenameIntoPlace()
{
    // What stands at the name now, seen through the same folder, must still
    // be a file that may be replaced.
    int error = 0;
    std::string refusal;
    if (!m_target.Restat(error))
        return Fail(error);
    if (m_target.Refused(m_keep, refusal))
        return Fail(refusal);
    if (::renameat(m_target.dir, m_tempName.c_str(), m_target.dir, m_target.name.c_str()) != 0)
        return Fail(errno);
    DisarmLiveTempFile(m_target.dir);
    m_tempName.clear();
    ::fsync(m_target.dir);  // the rename's durability; a bare folder handle says EBADF
    Discard();
    return true;
}

void COutputFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_target.dir >= 0 && !m_tempName.empty()) {
        ::unlinkat(m_target.dir, m_tempName.c_str(), 0);
        DisarmLiveTempFile(m_target.dir);
    }
    m_tempName.clear();
    m_unnamed = false;
    m_target.Close();
    m_written = 0;
}

void COutputFile::RemoveStaleFiles() const
{
    int fd = m_target.dir < 0 ? -1 : ::openat(m_target.dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = fd < 0 ? nullptr : ::fdopendir(fd);
    if (folder == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return;  // a folder that cannot be listed keeps what it holds
    }
    const time_t before = std::time(nullptr) - kStaleSeconds;
    while (const dirent* e = ::readdir(folder)) {
        struct stat st;
        if (IsNewFileOf(e->d_name, m_target.name) &&
            ::fstatat(m_target.dir, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < before)
            ::unlinkat(m_target.dir, e->d_name, 0);
    }
    ::closedir(folder);
}

bool COutputFile::Fail(int error)
{
    return Fail(error != 0 ? std::string(std::strerror(error)) : std::string());
}

bool COutputFile::Fail(const std::string& reason)
{
    if (m_reason.empty())
        m_reason = reason;
    Discard();
    return false;
}
