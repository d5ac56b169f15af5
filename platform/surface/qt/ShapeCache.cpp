// SPDX-License-Identifier: MIT
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

// An outline's pixels depend on its box's size and on where within a pixel
// its corner lies, not on which pixel that is: a scroll or zoom step that
// moves a planet by whole pixels finds its stamp again. Stamps are of
// whole outlines; the device's edge cuts them as they are copied, which is
// what Qt's clipping of the whole outline gives.
struct Key {
    double fx, fy, w, h;
    bool operator==(const Key& o) const { return std::memcmp(this, &o, sizeof(Key)) == 0; }
};

struct KeyHash {
    std::size_t operator()(const Key& k) const
    {
        std::uint64_t bits[4];
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
// top-left corner, drawn whole on a scratch image with room all round.
std::vector<Dot> Render(const Key& k)
{
    const int width = int(std::ceil(k.w)) + 2 * kMargin + 2, height = int(std::ceil(k.h)) + 2 * kMargin + 2;
    QImage scratch(width, height, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter p(&scratch);
        p.setPen(QPen(Qt::white, 0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(kMargin + k.fx, kMargin + k.fy, k.w, k.h));
    }
    std::vector<Dot> dots;
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if ((line[x] & 0xFFFFFF) != 0)
                dots.push_back({std::int16_t(x - kMargin), std::int16_t(y - kMargin)});
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
    const Key key{box.x() - left, box.y() - top, box.width(), box.height()};
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
