#include "RecentFileList.h"

#include "Settings.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "Recent File List";
constexpr size_t kMaxPathLength = 4096;

bool Plausible(const std::string& path)
{
    if (path.empty() || path.size() > kMaxPathLength || path[0] != '/')
        return false;
    return std::none_of(path.begin(), path.end(), [](unsigned char c) { return c < 0x20; });
}

} // namespace

void CRecentFileList::ReadList(const CSettings& settings)
{
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        std::string path = settings.GetString(kSection, "File" + std::to_string(i));
        // A damaged store may hold anything; only absolute paths are kept.
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
        std::string shown = Abbreviate(m_files[i], m_displayLength);
        // A literal "&" in a path must not become a mnemonic.
        std::string escaped;
        for (char c : shown) {
            escaped += c;
            if (c == '&')
                escaped += '&';
        }
        entries.push_back("&" + std::to_string(i + 1) + " " + escaped);
    }
    return entries;
}

std::string CRecentFileList::Abbreviate(const std::string& path, size_t maxLength)
{
    if (path.size() <= maxLength)
        return path;
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() + 4 > maxLength)
        return name.size() <= maxLength ? name : name.substr(0, maxLength);
    // Keep the first folder, then as many trailing folders as fit.
    size_t first = path.find('/', 1);
    std::string head = path.substr(0, first == std::string::npos ? 0 : first + 1);
    std::string tail = path.substr(slash);
    size_t cut = slash;
    while (cut != std::string::npos && cut > 0) {
        size_t prev = path.find_last_of('/', cut - 1);
        if (prev == std::string::npos || prev < head.size())
            break;
        std::string candidate = path.substr(prev);
        if (head.size() + 3 + candidate.size() > maxLength)
            break;
        tail = candidate;
        cut = prev;
    }
    std::string result = head + "..." + tail;
    if (result.size() > maxLength)
        result = "..." + tail;
    return result.size() <= maxLength ? result : name;
}
