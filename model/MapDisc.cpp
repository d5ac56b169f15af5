#include "MapDisc.h"

#include <algorithm>

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

} // namespace

CMapDisc CMapDisc::Scaled(std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t scale)
{
    CMapDisc disc;
    disc.m_scale = std::clamp<std::int64_t>(scale, 1, kMaxScale);
    disc.m_x = Clamp(x);
    disc.m_y = Clamp(y);
    disc.m_empty = radius < 0;
    disc.m_radiusSquared = disc.m_empty ? 0 : Square(Clamp(radius));
    return disc;
}

CMapDisc CMapDisc::Squared(CPoint centre, Wide radiusSquared)
{
    CMapDisc disc;
    disc.m_x = centre.x;
    disc.m_y = centre.y;
    disc.m_radiusSquared = radiusSquared;
    return disc;
}

__int128 CMapDisc::Offset(int coordinate, std::int64_t centre) const
{
    return static_cast<__int128>(coordinate) * m_scale - centre;
}

CMapDisc::Wide CMapDisc::DistanceSquared(CPoint p) const
{
    return Square(Offset(p.x, m_x)) + Square(Offset(p.y, m_y));
}

CMapDisc::Wide CMapDisc::NearestSquared(const CMapBox& box) const
{
    auto gap = [this](int low, int high, std::int64_t centre) -> __int128 {
        __int128 below = Offset(low, centre);
        if (below > 0)
            return below;
        __int128 above = Offset(high, centre);
        return above < 0 ? above : 0;
    };
    return Square(gap(box.left, box.right, m_x)) + Square(gap(box.top, box.bottom, m_y));
}

CMapDisc::Overlap CMapDisc::Of(const CMapBox& box) const
{
    if (m_empty || NearestSquared(box) > m_radiusSquared)
        return Overlap::None;
    // The farthest corner decides whether the whole box is inside.
    auto far = [this](int low, int high, std::int64_t centre) {
        __int128 a = Offset(low, centre), b = Offset(high, centre);
        return std::max(a < 0 ? -a : a, b < 0 ? -b : b);
    };
    Wide farthest = Square(far(box.left, box.right, m_x)) + Square(far(box.top, box.bottom, m_y));
    return farthest <= m_radiusSquared ? Overlap::Whole : Overlap::Part;
}
