// SPDX-License-Identifier: MIT
#pragma once

// Reads a file as text-mode pieces: CR LF comes out as LF, a lone CR stays,
// a Ctrl+Z byte ends the file, and each piece ends after a line end or after
// its 79th character, whichever comes first. A read error counts as the end
// of the file. Works in fixed-size chunks, so memory stays flat for files of
// any size and any line length.

#include <cstddef>
#include <string>

class CTextModeReader {
public:
    static constexpr int kMaxPiece = 79;

    CTextModeReader() = default;
    ~CTextModeReader();
    CTextModeReader(const CTextModeReader&) = delete;
    CTextModeReader& operator=(const CTextModeReader&) = delete;

    // Opens a regular file for reading. Returns 0, or why it cannot be
    // read: the system's error number (EISDIR for a folder), or
    // kNotRegularFile for a pipe, a device or a socket, which are refused
    // without a read so that none of them can block or run without end.
    static constexpr int kNotRegularFile = -1;
    int Open(const char* path);
    // The reason Open gave, in words: "No such file or directory".
    static std::string Describe(int reason);
    // Reads the next piece into buffer (kMaxPiece + 1 bytes, terminated) and
    // returns its length, or 0 at the end of the file. The piece may hold
    // NUL bytes. Line is the physical line on which the piece starts; it
    // stays at the largest int past that many lines.
    int ReadPiece(char* buffer, int& line);
    // Once ReadPiece has given 0: whether a Ctrl+Z ended the text with
    // more bytes after it in the file.
    bool StoppedBeforeEnd();

private:
    int RawByte();
    int NextChar();

    int m_fd = -1;
    bool m_end = false;
    bool m_ctrlZ = false;
    int m_line = 1;
    unsigned char m_chunk[64 * 1024];
    std::size_t m_pos = 0;
    std::size_t m_size = 0;
};
