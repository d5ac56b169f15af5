#include "Mapping.h"

#include <cstdlib>
#include <limits>

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c)
{
    // Every point drawn comes through here. Most products stay far inside
    // 64 bits, where the division is much cheaper than in 128.
    constexpr std::int64_t kSmall = std::int64_t(1) << 61;
    std::int64_t product;
    if (!__builtin_mul_overflow(a, b, &product) && product > -kSmall && product < kSmall && c > -kSmall &&
        c < kSmall && c != 0) {
        std::int64_t n = c < 0 ? -product : product, d = c < 0 ? -c : c;
        return n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
    }
    __int128 n = static_cast<__int128>(a) * b;
    __int128 d = c;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    __int128 q = (n >= 0) ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d));
    if (q > std::numeric_limits<std::int64_t>::max())
        return std::numeric_limits<std::int64_t>::max();
    if (q < std::numeric_limits<std::int64_t>::min())
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(q);
}

int ClampToInt(std::int64_t v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

int CMapping::SetMapMode(int mode)
{
    int previous = m_mode;
    if (mode == MM_TEXT || mode == MM_ISOTROPIC)
        m_mode = mode;
    return previous;
}

CSize CMapping::SetWindowExt(int cx, int cy)
{
    CSize previous = m_windowExt;
    if (cx != 0 && cy != 0)
        m_windowExt = CSize(cx, cy);
    return previous;
}

CSize CMapping::SetViewportExt(int cx, int cy)
{
    CSize previous = m_viewportExt;
    if (cx != 0 && cy != 0)
        m_viewportExt = CSize(cx, cy);
    return previous;
}

CPoint CMapping::SetWindowOrg(int x, int y)
{
    CPoint previous = m_windowOrg;
    m_windowOrg = CPoint(x, y);
    return previous;
}

CPoint CMapping::SetViewportOrg(int x, int y)
{
    CPoint previous = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    return previous;
}

CMapping::Scale CMapping::IsotropicScale() const
{
    // Compare |Vx / Wx| with |Vy / Wy| by cross-multiplying.
    std::int64_t vx = std::llabs(m_viewportExt.cx), wx = std::llabs(m_windowExt.cx);
    std::int64_t vy = std::llabs(m_viewportExt.cy), wy = std::llabs(m_windowExt.cy);
    if (vx * wy <= vy * wx)
        return {vx, wx};
    return {vy, wy};
}

CMapping::Scale CMapping::ScaleX() const
{
    if (m_mode == MM_TEXT)
        return {1, 1};
    Scale s = IsotropicScale();
    bool negative = (m_viewportExt.cx < 0) != (m_windowExt.cx < 0);
    return {negative ? -s.num : s.num, s.den};
}

CMapping::Scale CMapping::ScaleY() const
{
    if (m_mode == MM_TEXT)
        return {1, 1};
    Scale s = IsotropicScale();
    bool negative = (m_viewportExt.cy < 0) != (m_windowExt.cy < 0);
    return {negative ? -s.num : s.num, s.den};
}

std::int64_t CMapping::ToDeviceX(std::int64_t x) const
{
    Scale s = ScaleX();
    return m_viewportOrg.x + MulDivRound(x - m_windowOrg.x, s.num, s.den);
}

std::int64_t CMapping::ToDeviceY(std::int64_t y) const
{
    Scale s = ScaleY();
    return m_viewportOrg.y + MulDivRound(y - m_windowOrg.y, s.num, s.den);
}

double CMapping::ScaleLength(double length) const
{
    if (m_mode == MM_TEXT)
        return length;
    Scale s = IsotropicScale();
    return length * static_cast<double>(s.num) / static_cast<double>(s.den);
}

CPoint CMapping::LPtoDP(CPoint p) const
{
    return CPoint(ClampToInt(ToDeviceX(p.x)), ClampToInt(ToDeviceY(p.y)));
}

CPoint CMapping::DPtoLP(CPoint p) const
{
    Scale sx = ScaleX();
    Scale sy = ScaleY();
    std::int64_t x = m_windowOrg.x + MulDivRound(std::int64_t(p.x) - m_viewportOrg.x, sx.den, sx.num);
    std::int64_t y = m_windowOrg.y + MulDivRound(std::int64_t(p.y) - m_viewportOrg.y, sy.den, sy.num);
    return CPoint(ClampToInt(x), ClampToInt(y));
}
