#include "platform/surface/qt/GlyphExtents.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The scratch picture holds at most this many pixels (a glyph about 500
// pixels high); larger glyphs get no extent.
constexpr qsizetype kMaxScratchPixels = 512 * 512;
// Extents kept at most; past this all are dropped and found again.
constexpr std::size_t kMaxExtents = 1 << 16;
// Scratch room around the caller's guess: a touched pixel on the scratch
// border means the guess was short, and nothing is told.
constexpr int kRoom = 2;
// Marks "too small to tell" among the extents kept.
const QRect kUnknown(0, 0, -7, -7);

} // namespace

std::size_t CGlyphExtents::KeyHash::operator()(const Key& k) const
{
    std::size_t h = std::hash<double>()(k.fx);
    h = h * 1000003u ^ std::hash<double>()(k.fy);
    return h * 1000003u ^ k.id;
}

bool CGlyphExtents::Find(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& guess, QRect& exact)
{
    const QRect room = guess.marginsAdded(QMargins(kRoom, kRoom, kRoom, kRoom));
    const double ox = t.m11() * g.x + t.dx(), oy = t.m22() * g.ascent + t.dy();
    if (room.isEmpty() || qsizetype(room.width()) * room.height() > kMaxScratchPixels ||
        std::abs(ox) > 1e6 || std::abs(oy) > 1e6)
        return false;
    if (t.m11() != m_sx || t.m22() != m_sy || m_extents.size() >= kMaxExtents) {
        m_extents.clear();
        m_sx = t.m11(), m_sy = t.m22();
    }
    const QPoint origin(int(std::floor(ox)), int(std::floor(oy)));
    const Key key{g.id, ox - origin.x(), oy - origin.y()};
    auto found = m_extents.find(key);
    if (found == m_extents.end())
        found = m_extents.emplace(key, Render(font, t, g, room, origin)).first;
    if (found->second == kUnknown)
        return false;
    exact = found->second.translated(origin);
    return true;
}

QRect CGlyphExtents::Render(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& room,
                            QPoint origin)
{
    QImage scratch(room.size(), QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        // The call that draws the glyph within its name, moved by whole
        // pixels so that its origin keeps its place within a pixel; white
        // on black, so that the least touch of its smoothed edge shows.
        QPainter p(&scratch);
        p.setTransform(QTransform(t.m11(), 0, 0, t.m22(), t.dx() - room.left(), t.dy() - room.top()));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QPointF(g.x, g.ascent), QString::fromUcs4(&g.code, 1));
    }
    int x0 = room.width(), y0 = room.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int col = 0; col < scratch.width(); ++col)
            if ((line[col] & 0xFFFFFF) != 0)
                x0 = std::min(x0, col), y0 = std::min(y0, y), x1 = std::max(x1, col), y1 = std::max(y1, y);
    }
    if (x1 < 0)
        return QRect();
    if (x0 == 0 || y0 == 0 || x1 == scratch.width() - 1 || y1 == scratch.height() - 1)
        return kUnknown;
    return QRect(x0 + room.left() - origin.x(), y0 + room.top() - origin.y(), x1 - x0 + 1, y1 - y0 + 1);
}
