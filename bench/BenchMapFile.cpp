// SPDX-License-Identifier: MIT
#include "BenchMapFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteBenchMapFile(BenchMapKind kind, const std::string& path, std::string& reason)
{
    std::string text = BenchMapText(kind);
    // "x": created here or not at all, so no file of anyone else's is
    // ever truncated.
    std::FILE* f = std::fopen(path.c_str(), "wbx");
    if (f == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
    int error = errno;
    if (std::fclose(f) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        reason = std::strerror(error);
        std::remove(path.c_str());
    }
    return written;
}
