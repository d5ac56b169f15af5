// SPDX-License-Identifier: MIT
#include "platform/print/qt/PdfFileOutput.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kIncomplete = "the PDF writer did not finish the file";

} // namespace

bool IsCompletePdf(const std::string& bytes)
{
    size_t end = bytes.find_last_not_of("\r\n");
    if (end == std::string::npos || end < 5 || bytes.compare(end - 4, 5, "%%EOF") != 0)
        return false;
    size_t key = bytes.rfind("startxref");
    if (key == std::string::npos)
        return false;
    size_t digits = bytes.find_first_of("0123456789", key + 9);
    unsigned long long offset = 0;
    auto [next, ec] = std::from_chars(bytes.data() + std::min(digits, bytes.size()), bytes.data() + end, offset);
    if (digits == std::string::npos || ec != std::errc() || offset >= key)
        return false;
    return bytes.compare(offset, 4, "xref") == 0;
}

CPdfFileOutput::~CPdfFileOutput()
{
    Abandon();
}

bool CPdfFileOutput::Begin(const std::string& target, const std::string& keep, std::string* into)
{
    Abandon();
    m_reason.clear();
    m_into = into;
    if (m_into == nullptr && !m_file.Open(target, 0666, keep)) {
        m_reason = m_file.Reason();
        return false;
    }
    m_memory = ::memfd_create("kestrin-pdf", MFD_CLOEXEC);
    if (m_memory < 0) {
        m_reason = std::strerror(errno);
        Abandon();
        return false;
    }
    m_writerPath = "/proc/self/fd/" + std::to_string(m_memory);
    return true;
}

bool CPdfFileOutput::ReadWritten(std::string& bytes)
{
    struct stat st;
    if (::fstat(m_memory, &st) != 0) {
        m_reason = std::strerror(errno);
        return false;
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pread(m_memory, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_reason = n < 0 ? std::strerror(errno) : kIncomplete;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool CPdfFileOutput::Finish()
{
    std::string bytes;
    bool ok = m_memory >= 0 && ReadWritten(bytes);
    if (ok && !IsCompletePdf(bytes)) {
        m_reason = kIncomplete;
        ok = false;
    }
    if (ok && m_into != nullptr)
        m_into->swap(bytes);
    else
        ok = ok && m_file.Write(bytes) && m_file.Commit();
    if (!ok && m_reason.empty())
        m_reason = m_file.Reason();
    Abandon();
    return ok;
}

void CPdfFileOutput::Abandon()
{
    m_file.Discard();
    if (m_memory >= 0)
        ::close(m_memory);
    m_memory = -1;
    m_writerPath.clear();
}
