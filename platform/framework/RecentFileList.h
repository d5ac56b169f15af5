// SPDX-License-Identifier: MIT
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

    // Menu texts: "&1 " and the path, its control bytes and bytes that are
    // not UTF-8 shown as escapes, shortened to the display length.
    std::vector<std::string> MenuEntries() const;
    // A path of UTF-8 text shortened to maxLength characters by leaving out
    // folders after the first ("/home/.../maps/frontier.dat"). The file
    // name is always kept whole, alone when nothing else fits.
    static std::string Abbreviate(const std::string& path, size_t maxLength);

private:
    int m_size;
    int m_displayLength;
    std::vector<std::string> m_files;
};
