// SPDX-License-Identifier: MIT
#include "TextModeReader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCtrlZ = 26;

bool IsStop(unsigned char c)
{
    return c == '\n' || c == '\r' || c == kCtrlZ;
}

// The top bit of each byte of word that may be zero (the usual borrow
// test: it never misses one, and below the lowest zero byte it gives no
// false alarm, so the lowest bit set marks the first zero byte exactly).
std::uint64_t ZeroBytes(std::uint64_t word)
{
    return (word - 0x0101010101010101u) & ~word & 0x8080808080808080u;
}

// How many bytes from the start of bytes are ordinary: neither a line end,
// nor CR, nor Ctrl+Z. Whole words are tested at a time.
std::size_t OrdinaryRun(const unsigned char* bytes, std::size_t size)
{
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    std::size_t i = 0;
    for (std::uint64_t word; i + 8 <= size; i += 8) {
        std::memcpy(&word, bytes + i, 8);
        std::uint64_t stops = ZeroBytes(word ^ (kEach * '\n')) | ZeroBytes(word ^ (kEach * '\r')) |
                              ZeroBytes(word ^ (kEach * kCtrlZ));
        if (stops == 0)
            continue;
        // The first byte in memory is the lowest one on a little-endian
        // machine; elsewhere the bytes of this word are looked at in turn.
        if constexpr (std::endian::native == std::endian::little)
            return i + std::size_t(std::countr_zero(stops) / 8);
        break;
    }
    while (i < size && !IsStop(bytes[i]))
        ++i;
    return i;
}

} // namespace

CTextModeReader::~CTextModeReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int CTextModeReader::Open(const char* path)
{
    // Non-blocking open and a type check: a path that has turned into a pipe
    // or a device since the user chose it must not hang the load.
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st;
    int reason = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR
                                                : !S_ISREG(st.st_mode) ? kNotRegularFile : 0;
    if (reason != 0) {
        ::close(fd);
        return reason;
    }
    m_fd = fd;
    return 0;
}

std::string CTextModeReader::Describe(int reason)
{
    return reason == kNotRegularFile ? "not a regular file" : std::strerror(reason);
}

int CTextModeReader::RawByte()
{
    if (m_pos == m_size) {
        if (m_fd < 0)
            return -1;
        ssize_t n;
        do {
            n = ::read(m_fd, m_chunk, sizeof m_chunk);
        } while (n < 0 && errno == EINTR);
        if (n <= 0)
            return -1;
        m_pos = 0;
        m_size = static_cast<std::size_t>(n);
    }
    return m_chunk[m_pos++];
}

int CTextModeReader::NextChar()
{
    if (m_end)
        return -1;
    int c = RawByte();
    if (c < 0 || c == kCtrlZ) {
        m_end = true;
        m_ctrlZ = c == kCtrlZ;
        return -1;
    }
    if (c != '\r')
        return c;
    int next = RawByte();
    if (next == '\n')
        return '\n';
    if (next >= 0)
        --m_pos;  // the byte after a lone CR is still unread
    return '\r';
}

int CTextModeReader::ReadPiece(char* buffer, int& line)
{
    line = m_line;
    int length = 0;
    while (length < kMaxPiece && !m_end) {
        // Ordinary bytes are copied straight from the chunk; only line ends,
        // CR and Ctrl+Z go through the translation one at a time.
        std::size_t run = std::min(m_size - m_pos, static_cast<std::size_t>(kMaxPiece - length));
        std::size_t i = OrdinaryRun(m_chunk + m_pos, run);
        std::memcpy(buffer + length, m_chunk + m_pos, i);
        length += static_cast<int>(i);
        m_pos += i;
        if (i == run && m_pos < m_size)
            break;  // the piece is full
        if (i == run && run > 0)
            continue;  // the chunk is used up: the next pass refills it
        int c = NextChar();
        if (c < 0)
            break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n') {
            // A file of more than two billion comment lines is only a few
            // gigabytes: the count stops at its largest value, never wraps.
            if (m_line < std::numeric_limits<int>::max())
                ++m_line;
            break;
        }
    }
    buffer[length] = '\0';
    return length;
}

bool CTextModeReader::StoppedBeforeEnd()
{
    return m_ctrlZ && RawByte() >= 0;
}
