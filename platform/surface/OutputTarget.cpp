// SPDX-License-Identifier: MIT
#include "platform/surface/OutputTarget.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr const char* kNotRegular = "not a regular file";
constexpr const char* kIsKept = "it is the input file";
constexpr int kMaxLinks = 40;

// Opens the folder part of path, relative to at; a folder that can be
// written but not listed is opened as a bare handle.
int OpenFolder(int at, const std::string& path, std::string& name)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    int dir = ::openat(at, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 && errno == EACCES)
        dir = ::openat(at, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return dir;
}

bool ReadLink(int dir, const std::string& name, std::string& link)
{
    char buf[PATH_MAX];
    ssize_t n = ::readlinkat(dir, name.c_str(), buf, sizeof buf);
    if (n >= 0 && static_cast<size_t>(n) >= sizeof buf)
        errno = ENAMETOOLONG;
    if (n < 0 || static_cast<size_t>(n) >= sizeof buf)
        return false;
    link.assign(buf, static_cast<size_t>(n));
    return true;
}

bool SameFile(const struct stat& a, const std::string& other)
{
    struct stat b;
    return !other.empty() && ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

COutputTarget::~COutputTarget()
{
    Close();
}

bool COutputTarget::Find(const std::string& path, int& error)
{
    Close();
    std::string next = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        int folder = OpenFolder(dir < 0 ? AT_FDCWD : dir, next, name);
        error = folder < 0 ? errno : EISDIR;
        Close();
        dir = folder;
        if (dir < 0 || name.empty())
            return false;
        if (!Restat(error))
            return false;
        if (!exists && links > 0) {
            error = ENOENT;  // a link that names nothing is not written through
            return false;
        }
        if (!exists || !S_ISLNK(st.st_mode))
            return true;
        if (!ReadLink(dir, name, next)) {
            error = errno;
            return false;
        }
    }
    error = ELOOP;
    return false;
}

bool COutputTarget::Restat(int& error)
{
    exists = ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists || errno == ENOENT)
        return true;
    error = errno;
    return false;
}

bool COutputTarget::Refused(const std::string& keep, std::string& reason) const
{
    if (!exists)
        return false;
    if (S_ISDIR(st.st_mode))
        reason = std::strerror(EISDIR);
    else if (!S_ISREG(st.st_mode))
        reason = kNotRegular;
    else if (SameFile(st, keep))
        reason = kIsKept;
    // Root may write anything, so the owner's bit is what the user set.
    else if ((st.st_mode & S_IWUSR) == 0)
        reason = std::strerror(EACCES);
    else if (::faccessat(dir, name.c_str(), W_OK, AT_EACCESS) != 0)
        reason = std::strerror(errno);
    return !reason.empty();
}

void COutputTarget::Close()
{
    if (dir >= 0)
        ::close(dir);
    dir = -1;
}
