// SPDX-License-Identifier: MIT
#include "platform/framework/Settings.h"

#include "platform/surface/TextEscape.h"
#include "platform/surface/OutputFile.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Settings files are small; anything larger is not ours: neither read nor written.
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

// How the reader takes one line: a section header, an entry, or something
// else (blank, a comment, control bytes, garbage), which it skips.
struct Line {
    enum Kind { kOther, kHeader, kEntry } kind = kOther;
    std::string name;
    std::string value;
};

Line ReadLine(const std::string& raw)
{
    std::string line = Trim(!raw.empty() && raw.back() == '\n' ? raw.substr(0, raw.size() - 1) : raw);
    if (line.empty() || line[0] == ';' || line[0] == '#' || !Printable(line))
        return {};
    if (line.front() == '[' && line.back() == ']')
        return {Line::kHeader, UnescapeStored(Trim(line.substr(1, line.size() - 2))), {}};
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return {};
    std::string entry = UnescapeStored(Trim(line.substr(0, eq)));
    if (entry.empty())
        return {};
    return {Line::kEntry, entry, UnescapeStored(Trim(line.substr(eq + 1)))};
}

// The lines of text, each with its newline; the last may have none.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Appends a whole line, ending the text's last line first if it had no newline.
void AppendLine(std::string& text, const std::string& line)
{
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    text += line;
}

std::string EntryLine(const std::string& entry, const std::string& value)
{
    return EscapeStored(entry) + '=' + EscapeStored(value) + '\n';
}

enum class ReadResult { kRead, kMissing, kNotWhole };

// Reads a regular file of at most kMaxFileSize bytes; O_NONBLOCK so that a
// pipe at the path cannot hold the start-up.
ReadResult ReadSmallFile(const std::string& path, std::string& text)
{
    text.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::kMissing : ReadResult::kNotWhole;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize;
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
    return ok ? ReadResult::kRead : ReadResult::kNotWhole;
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
    Parse(std::string());
    m_writable = false;
    std::string path = FilePath(), text;
    if (path.empty())
        return;
    ReadResult read = ReadSmallFile(path, text);
    if (read == ReadResult::kRead)
        Parse(text);
    m_writable = read != ReadResult::kNotWhole;
}

void CSettings::Parse(const std::string& text)
{
    m_values.clear();
    m_changed.clear();
    m_lines = SplitLines(text);
    std::string section;
    for (const std::string& raw : m_lines) {
        Line line = ReadLine(raw);
        if (line.kind == Line::kHeader)
            section = line.name;
        else if (line.kind == Line::kEntry && !section.empty())
            m_values[section][line.name] = line.value;  // the last of a repeated entry counts
    }
}

std::string CSettings::Format() const
{
    // Where each section's last header or entry stands: its new entries go after it.
    std::map<std::string, size_t> ends;
    std::string section;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line line = ReadLine(m_lines[i]);
        section = line.kind == Line::kHeader ? line.name : section;
        if (line.kind != Line::kOther && !section.empty())
            ends[section] = i;
    }
    std::string text;
    std::set<Key> written;
    section.clear();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line line = ReadLine(m_lines[i]);
        section = line.kind == Line::kHeader ? line.name : section;
        Key key{section, line.name};
        if (line.kind != Line::kEntry || section.empty() || m_changed.count(key) == 0)
            AppendLine(text, m_lines[i]);
        else if (written.insert(key).second && m_values.at(section).count(line.name) != 0)
            AppendLine(text, EntryLine(line.name, m_values.at(section).at(line.name)));
        if (!section.empty() && ends[section] == i)
            AppendChanged(text, section, written);
    }
    AppendNewSections(text, written);
    return text;
}

void CSettings::AppendChanged(std::string& text, const std::string& section, std::set<Key>& written) const
{
    auto s = m_values.find(section);
    if (s == m_values.end())
        return;
    for (const auto& [entry, value] : s->second)
        if (m_changed.count({section, entry}) != 0 && written.insert({section, entry}).second)
            AppendLine(text, EntryLine(entry, value));
}

// Sections that the text read did not have, each followed by a blank line.
void CSettings::AppendNewSections(std::string& text, std::set<Key>& written) const
{
    for (const auto& [section, entries] : m_values) {
        std::string lines;
        for (const auto& [entry, value] : entries)
            if (m_changed.count({section, entry}) != 0 && written.insert({section, entry}).second)
                lines += EntryLine(entry, value);
        if (lines.empty())
            continue;
        if (!text.empty() && !text.ends_with("\n\n"))
            AppendLine(text, "\n");
        AppendLine(text, '[' + EscapeStored(section) + "]\n" + lines + '\n');
    }
}

bool CSettings::Save() const
{
    std::string path = FilePath();
    if (path.empty())
        return true;
    std::string text = Format();
    // A file that was not read whole is not ours to replace; one too large
    // to be read back would never be read again.
    if (!m_writable || text.size() > static_cast<size_t>(kMaxFileSize))
        return false;
    MakeFolders(path.substr(0, path.rfind('/')));
    COutputFile file;
    if (!file.Open(path, kFileMode))
        return false;
    file.RemoveStaleFiles();
    return file.Write(text) && file.Commit();
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
    auto& entries = m_values[section];
    auto e = entries.find(entry);
    if (e != entries.end() && e->second == value)
        return;  // the line stays as it was written
    entries[entry] = value;
    Changed(section, entry);
}

void CSettings::SetInt(const std::string& section, const std::string& entry, int value)
{
    SetString(section, entry, std::to_string(value));
}

void CSettings::RemoveEntry(const std::string& section, const std::string& entry)
{
    auto s = m_values.find(section);
    if (s != m_values.end() && s->second.erase(entry) != 0)
        Changed(section, entry);
}

void CSettings::Changed(const std::string& section, const std::string& entry)
{
    m_changed.insert({section, entry});
}
