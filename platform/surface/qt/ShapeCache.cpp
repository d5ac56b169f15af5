#include "platform/surface/qt/ShapeCache.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

// Ellipses up to this many pixels across: planets at every zoom where
// many of them can be on the screen at once.
constexpr double kLargest = 64.0;
constexpr std::size_t kMaxShapes = 100000;
constexpr int kMargin = 4;

// The device's size is part of the key: Qt clips an outline that crosses
// the device's edge, so the same box on another device may keep more pixels.
struct Key {
    double x, y, w, h;
    std::int32_t deviceWidth, deviceHeight;
    bool operator==(const Key& o) const { return std::memcmp(this, &o, sizeof(Key)) == 0; }
};

struct KeyHash {
    std::size_t operator()(const Key& k) const
    {
        std::uint64_t bits[5];
        static_assert(sizeof bits == sizeof(Key));
        std::memcpy(bits, &k, sizeof bits);
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint64_t b : bits)
            h = (h ^ b) * 1099511628211ull + (h >> 29);
        return std::size_t(h);
    }
};

struct Dot {
    std::int16_t x, y;
};

using Shapes = std::unordered_map<Key, std::vector<Dot>, KeyHash>;

Shapes& TheShapes()
{
    static Shapes shapes;
    return shapes;
}

// The pixels of the outline relative to the pixel holding the box's
// top-left corner. They are drawn at the box's own place on a scratch image
// of the device's size, so Qt computes exactly what it would on the device.
std::vector<Dot> Render(const Key& k)
{
    const int width = k.deviceWidth, height = k.deviceHeight;
    static QImage scratch;
    if (scratch.width() != width || scratch.height() != height) {
        scratch = QImage(width, height, QImage::Format_RGB32);
        scratch.fill(Qt::black);
    }
    {
        QPainter p(&scratch);
        p.setPen(QPen(Qt::white, 0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(k.x, k.y, k.w, k.h));
    }
    const int left = int(std::floor(k.x)), top = int(std::floor(k.y));
    const int x0 = std::max(left - kMargin, 0), y0 = std::max(top - kMargin, 0);
    const int x1 = std::min(left + int(std::ceil(k.w)) + kMargin, width);
    const int y1 = std::min(top + int(std::ceil(k.h)) + kMargin, height);
    std::vector<Dot> dots;
    for (int y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scratch.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            if ((line[x] & 0xFFFFFF) == 0)
                continue;
            dots.push_back({std::int16_t(x - left), std::int16_t(y - top)});
            line[x] = 0xFF000000u;
        }
    }
    return dots;
}

} // namespace

namespace ShapeCache {

bool DrawHollowEllipse(QImage& image, const QRectF& box, QRgb color)
{
    if (image.format() != QImage::Format_RGB32 || box.width() > kLargest || box.height() > kLargest ||
        std::abs(box.x()) > 1e6 || std::abs(box.y()) > 1e6)
        return false;
    const double left = std::floor(box.x()), top = std::floor(box.y());
    const Key key{box.x(), box.y(), box.width(), box.height(), image.width(), image.height()};
    Shapes& shapes = TheShapes();
    auto found = shapes.find(key);
    if (found == shapes.end()) {
        if (shapes.size() >= kMaxShapes)
            shapes.clear();
        found = shapes.emplace(key, Render(key)).first;
    }
    const int ox = int(left), oy = int(top), width = image.width(), height = image.height();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const Dot& d : found->second) {
        int x = ox + d.x, y = oy + d.y;
        if (x >= 0 && y >= 0 && x < width && y < height)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = color;
    }
    return true;
}

void Clear()
{
    TheShapes().clear();
}

} // namespace ShapeCache
