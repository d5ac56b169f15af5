// SPDX-License-Identifier: MIT
#include "platform/framework/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::~CFile()
{
    Close();
}

CFile::Error CFile::OpenForReading(const std::string& path)
{
    Close();
    // O_NONBLOCK so that a pipe or device named by the user cannot hang the
    // open; anything that is not a regular file is refused right after.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    m_errno = fd < 0 ? errno : 0;
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Error::NotFound;
        if (errno == EACCES || errno == EPERM)
            return Error::AccessDenied;
        return Error::Other;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Error::NotRegular;
    }
    m_fd = fd;
    m_path = path;
    m_length = st.st_size;
    return Error::None;
}

void CFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
