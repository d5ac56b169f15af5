#pragma once

// The recently used files, most recent first, kept in the settings store
// as "File1".. "FileN" of section "Recent File List".

#include <string>
#include <vector>

class CSettings;

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4, int displayLength = 30) : m_size(size), m_displayLength(displayLength) {}

    void ReadList(const CSettings& settings);
    void WriteList(CSettings& settings) const;

    // Moves path to the top, pushing the oldest out when the list is full.
    void Add(const std::string& path);
    void Remove(int index);
    int GetSize() const { return static_cast<int>(m_files.size()); }
    const std::string& operator[](int index) const { return m_files[index]; }

    // Menu texts: "&1 " and the path shortened to the display length.
    std::vector<std::string> MenuEntries() const;
    // A path shortened by dropping middle folders, keeping its file name.
    static std::string Abbreviate(const std::string& path, size_t maxLength);

private:
    int m_size;
    int m_displayLength;
    std::vector<std::string> m_files;
};
