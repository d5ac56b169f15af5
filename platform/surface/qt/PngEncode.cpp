// SPDX-License-Identifier: MIT
#include "platform/surface/qt/PngEncode.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

void PutU32(std::string& out, std::uint32_t v)
{
    out += char(v >> 24), out += char(v >> 16), out += char(v >> 8), out += char(v);
}

void PutChunk(std::string& out, const char* type, const char* data, std::size_t length)
{
    PutU32(out, std::uint32_t(length));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data, length);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32_z(crc, reinterpret_cast<const Bytef*>(out.data() + start), out.size() - start);
    PutU32(out, std::uint32_t(crc));
}

void PutHeader(std::string& out, const QImage& image)
{
    out.append("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    PutU32(ihdr, std::uint32_t(image.width()));
    PutU32(ihdr, std::uint32_t(image.height()));
    ihdr += '\x08';  // bits per sample
    ihdr += '\x02';  // RGB
    ihdr.append(3, '\0');  // deflate, adaptive filtering, no interlace
    PutChunk(out, "IHDR", ihdr.data(), ihdr.size());
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        std::string phys;
        PutU32(phys, std::uint32_t(image.dotsPerMeterX()));
        PutU32(phys, std::uint32_t(image.dotsPerMeterY()));
        phys += '\x01';  // per metre
        PutChunk(out, "pHYs", phys.data(), phys.size());
    }
}

// Deflates what zs has been given into IDAT chunks, with flush as zlib's
// flush mode; false on a zlib error.
bool Drain(z_stream& zs, std::vector<Bytef>& buffer, std::string& out, int flush)
{
    for (;;) {
        zs.next_out = buffer.data() + (buffer.size() - zs.avail_out);
        const int result = deflate(&zs, flush);
        if (result == Z_STREAM_ERROR)
            return false;
        if (zs.avail_out == 0 || (flush == Z_FINISH && result == Z_STREAM_END)) {
            PutChunk(out, "IDAT", reinterpret_cast<const char*>(buffer.data()), buffer.size() - zs.avail_out);
            zs.avail_out = uInt(buffer.size());
        }
        if (flush == Z_FINISH ? result == Z_STREAM_END : zs.avail_in == 0 && zs.avail_out != 0)
            return true;
    }
}

} // namespace

bool EncodePng(const QImage& image, std::string& bytes)
{
    PutHeader(bytes, image);
    z_stream zs{};
    if (deflateInit2(&zs, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return false;
    std::vector<Bytef> buffer(kChunkBytes);
    zs.avail_out = uInt(buffer.size());
    std::vector<Bytef> row(1 + 3 * std::size_t(image.width()));  // filter byte 0: none
    bool ok = true;
    for (int y = 0; y < image.height() && ok; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        Bytef* p = row.data() + 1;
        for (int x = 0; x < image.width(); ++x, p += 3)
            p[0] = Bytef(qRed(line[x])), p[1] = Bytef(qGreen(line[x])), p[2] = Bytef(qBlue(line[x]));
        zs.next_in = row.data();
        zs.avail_in = uInt(row.size());
        ok = Drain(zs, buffer, bytes, Z_NO_FLUSH);
    }
    ok = ok && Drain(zs, buffer, bytes, Z_FINISH);
    deflateEnd(&zs);
    if (ok)
        PutChunk(bytes, "IEND", "", 0);
    return ok;
}
