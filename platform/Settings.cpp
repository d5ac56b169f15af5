#include "Settings.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Settings files are small; anything larger is not ours and is ignored.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    size_t e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool Printable(const std::string& s)
{
    for (unsigned char c : s)
        if (c < 0x20 && c != '\t')
            return false;
    return true;
}

bool WriteAll(int fd, const std::string& text)
{
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void CSettings::SetKey(const std::string& key, const std::string& application)
{
    m_key = key;
    m_application = application;
}

std::string CSettings::FilePath() const
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr)
        base = std::filesystem::path(home) / ".config";
    else
        base = "/tmp";
    return (base / m_key / (m_application + ".ini")).string();
}

void CSettings::Load()
{
    m_values.clear();
    std::error_code ec;
    std::filesystem::path path = FilePath();
    if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) > kMaxFileSize || ec)
        return;
    std::ifstream in(path, std::ios::binary);
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#' || !Printable(line))
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos || section.empty())
            continue;
        std::string entry = Trim(line.substr(0, eq));
        if (!entry.empty())
            m_values[section][entry] = Trim(line.substr(eq + 1));
    }
}

bool CSettings::Save() const
{
    std::filesystem::path path = FilePath();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ostringstream text;
    for (const auto& [section, entries] : m_values) {
        if (entries.empty())
            continue;
        text << '[' << section << "]\n";
        for (const auto& [entry, value] : entries)
            text << entry << '=' << value << '\n';
        text << '\n';
    }
    // Written whole to a temporary file, then moved into place, so a failed
    // write never leaves half a file behind. The temporary name is a fresh
    // one made with O_EXCL: whatever already stands at a fixed name (a link
    // to another file, a pipe with no reader) is neither followed nor
    // waited for.
    std::string temp = path.string() + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, text.str());
    written = ::close(fd) == 0 && written;
    if (written)
        std::filesystem::rename(temp, path, ec);
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

bool CSettings::Remove() const
{
    std::error_code ec;
    std::filesystem::path path = FilePath();
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return true;
    return std::filesystem::remove(path, ec) && !ec;
}

std::string CSettings::GetString(const std::string& section, const std::string& entry, const std::string& def) const
{
    auto s = m_values.find(section);
    if (s == m_values.end())
        return def;
    auto e = s->second.find(entry);
    return e == s->second.end() ? def : e->second;
}

int CSettings::GetInt(const std::string& section, const std::string& entry, int def) const
{
    std::string text = GetString(section, entry);
    int value = def;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return def;
    return value;
}

void CSettings::SetString(const std::string& section, const std::string& entry, const std::string& value)
{
    m_values[section][entry] = value;
}

void CSettings::SetInt(const std::string& section, const std::string& entry, int value)
{
    m_values[section][entry] = std::to_string(value);
}

void CSettings::RemoveEntry(const std::string& section, const std::string& entry)
{
    auto s = m_values.find(section);
    if (s != m_values.end())
        s->second.erase(entry);
}
