// SPDX-License-Identifier: MIT
#include "platform/framework/RecentFileList.h"

#include "platform/framework/Settings.h"
#include "platform/surface/TextEscape.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kSection = "Recent File List";
// PATH_MAX counts the terminating NUL.
constexpr size_t kMaxPathLength = PATH_MAX - 1;
constexpr const char* kLeftOut = "/...";

// A damaged store may hold anything; only absolute paths that Linux could
// have given are kept. Every other byte, a newline among them, may be part
// of a file name.
bool Plausible(const std::string& path)
{
    return !path.empty() && path.size() <= kMaxPathLength && path[0] == '/' &&
           path.find('\0') == std::string::npos;
}

// A literal "&" in a name must not become a mnemonic.
std::string DoubleAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

} // namespace

void CRecentFileList::ReadList(const CSettings& settings)
{
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        std::string path = settings.GetString(kSection, "File" + std::to_string(i));
        if (Plausible(path) && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(path);
    }
}

void CRecentFileList::WriteList(CSettings& settings) const
{
    for (int i = 1; i <= m_size; ++i) {
        std::string entry = "File" + std::to_string(i);
        if (i <= GetSize())
            settings.SetString(kSection, entry, m_files[i - 1]);
        else
            settings.RemoveEntry(kSection, entry);
    }
}

void CRecentFileList::Add(const std::string& path)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (GetSize() > m_size)
        m_files.resize(m_size);
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetSize())
        m_files.erase(m_files.begin() + index);
}

std::vector<std::string> CRecentFileList::MenuEntries() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < GetSize(); ++i) {
        std::string entry = "&";
        entry += std::to_string(i + 1);
        entry += ' ';
        entry += DoubleAmpersands(Abbreviate(EscapeShown(m_files[i]), m_displayLength));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string CRecentFileList::Abbreviate(const std::string& path, size_t maxLength)
{
    if (Utf8Length(path) <= maxLength)
        return path;
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return path;
    std::string name = path.substr(slash + 1);
    // The first folder stays; folders after it are left out from the
    // front until the rest fits. Cuts fall only at slashes, so no
    // character and no escape is ever split.
    size_t first = path.find('/', 1);
    if (first == std::string::npos || first >= slash)
        return name;
    std::string head = path.substr(0, first) + kLeftOut;
    size_t cut = slash;
    if (Utf8Length(head) + Utf8Length(path.substr(cut)) > maxLength)
        return name;
    while (cut > first) {
        size_t prev = path.find_last_of('/', cut - 1);
        if (prev <= first || Utf8Length(head) + Utf8Length(path.substr(prev)) > maxLength)
            break;
        cut = prev;
    }
    return head + path.substr(cut);
}
