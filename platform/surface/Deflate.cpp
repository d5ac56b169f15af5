// SPDX-License-Identifier: MIT
#include "platform/surface/Deflate.h"

#include <zlib.h>

#include <limits>

std::optional<std::string> DeflateBytes(std::string_view bytes)
{
    if (bytes.size() > std::numeric_limits<uLong>::max() / 2)
        return std::nullopt;
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                  static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION) != Z_OK)
        return std::nullopt;
    out.resize(size);
    return out;
}
