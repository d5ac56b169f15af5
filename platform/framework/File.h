// SPDX-License-Identifier: MIT
#pragma once

// A file opened for reading by the framework's open. It never blocks on
// what a user names (a pipe, a device) and refuses anything that is not a
// regular file; a failed open says why, in the system's error number too.

#include <string>

class CFile {
public:
    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    enum class Error { None, NotFound, NotRegular, AccessDenied, Other };
    // Opens a regular file for reading without ever blocking on it.
    Error OpenForReading(const std::string& path);
    void Close();
    const std::string& GetFilePath() const { return m_path; }
    long long GetLength() const { return m_length; }
    // The system's error number of the last failed open; 0 after success.
    int GetSystemError() const { return m_errno; }

private:
    int m_fd = -1;
    int m_errno = 0;
    std::string m_path;
    long long m_length = 0;
};
