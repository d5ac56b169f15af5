#include "platform/framework/Settings.h"

#include "platform/surface/TextEscape.h"
#include "platform/surface/OutputFile.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Settings files are small; anything larger is not ours and is ignored.
constexpr off_t kMaxFileSize = 1 << 20;
// A new settings file and its folders are the user's alone.
constexpr mode_t kFileMode = 0600;
constexpr mode_t kFolderMode = 0700;

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

bool Absolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// Reads a regular file of at most kMaxFileSize bytes; O_NONBLOCK so that a
// pipe at the path cannot hold the start-up.
bool ReadSmallFile(const std::string& path, std::string& text)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize;
    text.clear();
    char buf[8192];
    while (ok) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0 && text.size() + static_cast<size_t>(n) <= static_cast<size_t>(kMaxFileSize);
        if (n <= 0)
            break;
        text.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return ok;
}

// Makes each missing folder of path, private to the user.
void MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), kFolderMode);
    ::mkdir(path.c_str(), kFolderMode);
}

} // namespace

void CSettings::SetKey(const std::string& key, const std::string& application)
{
    m_key = key;
    m_application = application;
}

std::string CSettings::FilePath() const
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (Absolute(xdg))
        base = xdg;
    else if (Absolute(home))
        base = std::string(home) + "/.config";
    else
        return std::string();  // a shared folder would let others plant settings
    return base + "/" + m_key + "/" + m_application + ".ini";
}

void CSettings::Load()
{
    m_values.clear();
    std::string path = FilePath(), text;
    if (!path.empty() && ReadSmallFile(path, text))
        Parse(text);
}

void CSettings::Parse(const std::string& text)
{
    m_values.clear();
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#' || !Printable(line))
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = UnescapeStored(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos || section.empty())
            continue;
        std::string entry = UnescapeStored(Trim(line.substr(0, eq)));
        if (!entry.empty())
            m_values[section][entry] = UnescapeStored(Trim(line.substr(eq + 1)));
    }
}

std::string CSettings::Format() const
{
    std::string text;
    for (const auto& [section, entries] : m_values) {
        if (entries.empty())
            continue;
        text += '[' + EscapeStored(section) + "]\n";
        for (const auto& [entry, value] : entries)
            text += EscapeStored(entry) + '=' + EscapeStored(value) + '\n';
        text += '\n';
    }
    return text;
}

bool CSettings::Save() const
{
    std::string path = FilePath();
    if (path.empty())
        return true;
    MakeFolders(path.substr(0, path.rfind('/')));
    COutputFile file;
    return file.Open(path, kFileMode) && file.Write(Format()) && file.Commit();
}

bool CSettings::Remove() const
{
    std::string path = FilePath();
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0)
        return true;
    return ::unlink(path.c_str()) == 0;
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
