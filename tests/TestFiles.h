// SPDX-License-Identifier: MIT
#pragma once

// Temporary files for tests, removed with the fixture's folder.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Writes bytes to a file of that name in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};
