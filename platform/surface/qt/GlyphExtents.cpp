// SPDX-License-Identifier: MIT
#include "platform/surface/qt/GlyphExtents.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// A glyph whose room holds at most this many pixels is drawn whole to
// find its extent, a larger one in bands of kBand pixels along its sides.
constexpr qsizetype kWholeScratchPixels = 160 * 160;
constexpr int kBand = 8;
// Rooms longer than this get no extent.
constexpr int kMaxSide = 1 << 15;
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

std::size_t CGlyphExtents::AreaKeyHash::operator()(const AreaKey& k) const
{
    std::size_t h = KeyHash()(k.glyph);
    for (int v : {k.x, k.y, k.w, k.h})
        h = h * 1000003u ^ std::size_t(v);
    return h;
}

bool CGlyphExtents::Place(const QTransform& t, const GlyphAt& g, const QRect& guess, Key& key, QPoint& origin)
{
    const QRect room = guess.marginsAdded(QMargins(kRoom, kRoom, kRoom, kRoom));
    const double ox = t.m11() * g.x + t.dx(), oy = t.m22() * g.ascent + t.dy();
    if (room.isEmpty() || room.width() > kMaxSide || room.height() > kMaxSide ||
        std::abs(ox) > 1e6 || std::abs(oy) > 1e6)
        return false;
    if (t.m11() != m_sx || t.m22() != m_sy || m_extents.size() + m_misses.size() >= kMaxExtents) {
        m_extents.clear();
        m_misses.clear();
        m_sx = t.m11(), m_sy = t.m22();
    }
    origin = QPoint(int(std::floor(ox)), int(std::floor(oy)));
    key = Key{g.id, ox - origin.x(), oy - origin.y()};
    return true;
}

bool CGlyphExtents::Find(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& guess, QRect& exact)
{
    Key key;
    QPoint origin;
    if (!Place(t, g, guess, key, origin))
        return false;
    auto found = m_extents.find(key);
    if (found == m_extents.end()) {
        const QRect room = guess.marginsAdded(QMargins(kRoom, kRoom, kRoom, kRoom));
        found = m_extents.emplace(key, Render(font, t, g, room, origin)).first;
    }
    if (found->second == kUnknown)
        return false;
    exact = found->second.translated(origin);
    return true;
}

bool CGlyphExtents::Misses(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& guess,
                           const QRect& open)
{
    Key key;
    QPoint origin;
    if (open.isEmpty() || !Place(t, g, guess, key, origin))
        return false;
    const QRect from = open.translated(-origin);
    const AreaKey area{key, from.x(), from.y(), from.width(), from.height()};
    auto found = m_misses.find(area);
    if (found == m_misses.end())
        found = m_misses.emplace(area, Touched(font, t, g, open).isEmpty()).first;
    return found->second;
}

QRect CGlyphExtents::Touched(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& area)
{
    QImage scratch(area.size(), QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        // The call that draws the glyph within its name, moved by whole
        // pixels so that its origin keeps its place within a pixel; white
        // on black, so that the least touch of its smoothed edge shows.
        QPainter p(&scratch);
        p.setTransform(QTransform(t.m11(), 0, 0, t.m22(), t.dx() - area.left(), t.dy() - area.top()));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QPointF(g.x, g.ascent), QString::fromUcs4(&g.code, 1));
    }
    int x0 = area.width(), y0 = area.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int col = 0; col < scratch.width(); ++col)
            if ((line[col] & 0xFFFFFF) != 0)
                x0 = std::min(x0, col), y0 = std::min(y0, y), x1 = std::max(x1, col), y1 = std::max(y1, y);
    }
    return x1 < 0 ? QRect() : QRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1).translated(area.topLeft());
}

QRect CGlyphExtents::Render(const QFont& font, const QTransform& t, const GlyphAt& g, const QRect& room,
                            QPoint origin)
{
    QRect box;
    const qsizetype area = qsizetype(room.width()) * room.height();
    if (area <= kWholeScratchPixels || std::min(room.width(), room.height()) <= 2 * kBand) {
        if (area > kMaxSide)
            return kUnknown;
        box = Touched(font, t, g, room);
        if (box.isEmpty())
            return QRect();
    } else {
        // A large glyph: only a band along each side of the room is drawn,
        // and each side of the box is found within its band; where a band
        // is untouched the side is taken at the band's inner edge.
        const int b = kBand;
        const QRect top = Touched(font, t, g, QRect(room.left(), room.top(), room.width(), b));
        const QRect bottom = Touched(font, t, g, QRect(room.left(), room.bottom() - b + 1, room.width(), b));
        const QRect left = Touched(font, t, g, QRect(room.left(), room.top(), b, room.height()));
        const QRect right = Touched(font, t, g, QRect(room.right() - b + 1, room.top(), b, room.height()));
        box = QRect(QPoint(left.isEmpty() ? room.left() + b : left.left(), top.isEmpty() ? room.top() + b : top.top()),
                    QPoint(right.isEmpty() ? room.right() - b : right.right(),
                           bottom.isEmpty() ? room.bottom() - b : bottom.bottom()));
        if (box.isEmpty())
            return kUnknown;
    }
    if (box.left() == room.left() || box.top() == room.top() || box.right() == room.right() ||
        box.bottom() == room.bottom())
        return kUnknown;
    return box.translated(-origin);
}
