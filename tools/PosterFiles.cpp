// SPDX-License-Identifier: MIT
#include "PosterFiles.h"

#include "platform/surface/Image.h"
#include "platform/surface/OutputFile.h"
#include "platform/surface/TextEscape.h"

#include <sys/stat.h>
#include <unistd.h>

CPosterFiles::CPosterFiles(std::vector<std::string> files, std::string keep, std::string format)
    : m_files(std::move(files)), m_keep(std::move(keep)), m_format(std::move(format))
{
}

CPosterFiles::~CPosterFiles() = default;

bool CPosterFiles::Fail(const std::string& file, const std::string& why)
{
    if (m_reason.empty())
        m_reason = "page " + EscapeShown(file) + ": " + why;
    return false;
}

void CPosterFiles::Add(const CImage& page)
{
    const size_t n = m_open.size();
    if (!m_reason.empty() || n >= m_files.size()) {
        Fail(n < m_files.size() ? m_files[n] : m_files.back(), "one page too many");
        return;
    }
    struct stat st;
    m_existed.push_back(::lstat(m_files[n].c_str(), &st) == 0);
    m_open.push_back(std::make_unique<COutputFile>());
    COutputFile& file = *m_open.back();
    std::string bytes;
    if (!page.Encode(m_format, bytes)) {
        Fail(m_files[n], "the picture could not be encoded");
        return;
    }
    if (!file.Open(m_files[n], 0666, m_keep) || !file.Write(bytes))
        Fail(m_files[n], file.Reason());
}

bool CPosterFiles::Commit(std::string& reason)
{
    if (m_reason.empty() && m_open.size() != m_files.size())
        Fail(m_files[m_open.size()], "the page was not printed");
    for (size_t i = 0; m_reason.empty() && i < m_open.size(); ++i) {
        if (!m_open[i]->Commit()) {
            Fail(m_files[i], m_open[i]->Reason());
            RemoveCreated(i);
        }
    }
    m_open.clear();  // what was not put in place goes with its file
    reason = m_reason;
    return m_reason.empty();
}

void CPosterFiles::RemoveCreated(size_t before)
{
    for (size_t i = 0; i < before; ++i)
        if (!m_existed[i])
            ::unlink(m_files[i].c_str());
}
