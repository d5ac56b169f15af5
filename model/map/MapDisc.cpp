// SPDX-License-Identifier: MIT
#include "MapDisc.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kMaxScale = std::int64_t(1) << 31;
constexpr std::int64_t kMaxValue = std::int64_t(1) << 62;

// With |scale x p| and |centre| both at most 2^62, an offset stays within
// 2^63 and the sum of two squares within 2^127: the Wide type holds it.
std::int64_t Clamp(std::int64_t v)
{
    return std::clamp(v, -kMaxValue, kMaxValue);
}

CMapDisc::Wide Square(__int128 v)
{
    CMapDisc::Wide magnitude = static_cast<CMapDisc::Wide>(v < 0 ? -v : v);
    return magnitude * magnitude;
}

// Offsets between 32-bit coordinates stay below 2^32, so their squares fit
// 64 unsigned bits: one multiplication instead of a 128-bit one.
CMapDisc::Wide Square(std::int64_t v)
{
    std::uint64_t magnitude = static_cast<std::uint64_t>(v < 0 ? -v : v);
    return magnitude * magnitude;
}

// Per axis, how far the nearest and the farthest point of [low, high] lie
// from the centre, through the offset function of the disc at hand.
template <class Offset>
auto Gap(int low, int high, std::int64_t centre, Offset offset)
{
    auto below = offset(low, centre);
    if (below > 0)
        return below;
    auto above = offset(high, centre);
    return above < 0 ? above : decltype(above)(0);
}

template <class Offset>
auto Far(int low, int high, std::int64_t centre, Offset offset)
{
    auto a = offset(low, centre), b = offset(high, centre);
    return std::max(a < 0 ? -a : a, b < 0 ? -b : b);
}

} // namespace

CMapDisc CMapDisc::Scaled(std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t scale)
{
    CMapDisc disc;
    disc.m_scale = std::clamp<std::int64_t>(scale, 1, kMaxScale);
    disc.m_x = Clamp(x);
    disc.m_y = Clamp(y);
    disc.m_empty = radius < 0;
    disc.m_radiusSquared = disc.m_empty ? 0 : Square(__int128(Clamp(radius)));
    disc.m_unit = disc.m_scale == 1 && disc.OnGrid();
    return disc;
}

CMapDisc CMapDisc::Squared(CPoint centre, Wide radiusSquared)
{
    CMapDisc disc;
    disc.m_x = centre.x;
    disc.m_y = centre.y;
    disc.m_radiusSquared = radiusSquared;
    disc.m_unit = true;
    return disc;
}

bool CMapDisc::OnGrid() const
{
    constexpr std::int64_t low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    return m_x >= low && m_x <= high && m_y >= low && m_y <= high;
}

__int128 CMapDisc::Offset(int coordinate, std::int64_t centre) const
{
    return static_cast<__int128>(coordinate) * m_scale - centre;
}

CMapDisc::Wide CMapDisc::DistanceSquared(CPoint p) const
{
    if (m_unit)
        return Square(std::int64_t(p.x) - m_x) + Square(std::int64_t(p.y) - m_y);
    return Square(Offset(p.x, m_x)) + Square(Offset(p.y, m_y));
}

CMapDisc::Wide CMapDisc::NearestSquared(const CMapBox& box) const
{
    if (m_unit) {
        auto unit = [](int c, std::int64_t centre) { return std::int64_t(c) - centre; };
        return Square(Gap(box.left, box.right, m_x, unit)) + Square(Gap(box.top, box.bottom, m_y, unit));
    }
    auto scaled = [this](int c, std::int64_t centre) { return Offset(c, centre); };
    return Square(Gap(box.left, box.right, m_x, scaled)) + Square(Gap(box.top, box.bottom, m_y, scaled));
}

CMapDisc::Overlap CMapDisc::Of(const CMapBox& box) const
{
    if (m_empty || NearestSquared(box) > m_radiusSquared)
        return Overlap::None;
    // The farthest corner decides whether the whole box is inside.
    Wide farthest;
    if (m_unit) {
        auto unit = [](int c, std::int64_t centre) { return std::int64_t(c) - centre; };
        farthest = Square(Far(box.left, box.right, m_x, unit)) + Square(Far(box.top, box.bottom, m_y, unit));
    } else {
        auto scaled = [this](int c, std::int64_t centre) { return Offset(c, centre); };
        farthest = Square(Far(box.left, box.right, m_x, scaled)) + Square(Far(box.top, box.bottom, m_y, scaled));
    }
    return farthest <= m_radiusSquared ? Overlap::Whole : Overlap::Part;
}
