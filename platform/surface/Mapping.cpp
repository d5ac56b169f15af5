// SPDX-License-Identifier: MIT
#include "platform/surface/Mapping.h"

#include <cmath>
#include <cstdlib>
#include <limits>

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c)
{
    // Every point drawn comes through here. While product and divisor stay
    // below 2^50 both are exact as doubles, and the correctly rounded
    // quotient lands on a half exactly when the true one does (a near miss
    // would be 1/(2c) away, more than half a unit in the last place); adding
    // the half is exact too, and truncating it rounds halves away from zero.
    // That is much cheaper than dividing in 64 or 128 bits.
    constexpr std::int64_t kExact = std::int64_t(1) << 50;
    std::int64_t product;
    if (!__builtin_mul_overflow(a, b, &product) && product > -kExact && product < kExact && c != 0 &&
        c > -kExact && c < kExact) {
        double q = static_cast<double>(product) / static_cast<double>(c);
        return static_cast<std::int64_t>(q < 0 ? q - 0.5 : q + 0.5);
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
    Rescale();
    return previous;
}

CSize CMapping::SetWindowExt(int cx, int cy)
{
    CSize previous = m_windowExt;
    if (cx != 0 && cy != 0)
        m_windowExt = CSize(cx, cy);
    Rescale();
    return previous;
}

CSize CMapping::SetViewportExt(int cx, int cy)
{
    CSize previous = m_viewportExt;
    if (cx != 0 && cy != 0)
        m_viewportExt = CSize(cx, cy);
    Rescale();
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

void CMapping::Rescale()
{
    if (m_mode == MM_TEXT) {
        m_scaleX = m_scaleY = {1, 1};
        return;
    }
    Scale s = IsotropicScale();
    bool negativeX = (m_viewportExt.cx < 0) != (m_windowExt.cx < 0);
    bool negativeY = (m_viewportExt.cy < 0) != (m_windowExt.cy < 0);
    m_scaleX = {negativeX ? -s.num : s.num, s.den};
    m_scaleY = {negativeY ? -s.num : s.num, s.den};
    m_scaleX.ratio = static_cast<double>(m_scaleX.num) / static_cast<double>(m_scaleX.den);
    m_scaleY.ratio = static_cast<double>(m_scaleY.num) / static_cast<double>(m_scaleY.den);
}

std::int64_t CMapping::Scale::Apply(std::int64_t d) const
{
    // Every point drawn comes through here, so no division: the unrounded
    // ratio gives the nearest whole number or one beside it, and exact
    // products against the halves on either side settle which.
    constexpr std::int64_t kSmall = std::int64_t(1) << 50;
    std::int64_t t;
    if (__builtin_mul_overflow(d, num, &t) || t <= -kSmall || t >= kSmall || den >= kSmall)
        return MulDivRound(d, num, den);
    double estimate = static_cast<double>(d) * ratio;
    std::int64_t q = static_cast<std::int64_t>(estimate < 0 ? estimate - 0.5 : estimate + 0.5);
    // q is right when 2t lies between (2q - 1) den and (2q + 1) den, a half
    // going away from zero.
    while (t >= 0 ? 2 * t >= (2 * q + 1) * den : 2 * t > (2 * q + 1) * den)
        ++q;
    while (t >= 0 ? 2 * t < (2 * q - 1) * den : 2 * t <= (2 * q - 1) * den)
        --q;
    return q;
}

std::int64_t CMapping::ToDeviceX(std::int64_t x) const
{
    return m_viewportOrg.x + m_scaleX.Apply(x - m_windowOrg.x);
}

std::int64_t CMapping::ToDeviceY(std::int64_t y) const
{
    return m_viewportOrg.y + m_scaleY.Apply(y - m_windowOrg.y);
}

double CMapping::ScaleLength(double length) const
{
    return length * std::abs(m_scaleX.ratio);
}


CPoint CMapping::LPtoDP(CPoint p) const
{
    return CPoint(ClampToInt(ToDeviceX(p.x)), ClampToInt(ToDeviceY(p.y)));
}

CPoint CMapping::DPtoLP(CPoint p) const
{
    std::int64_t x = m_windowOrg.x + MulDivRound(std::int64_t(p.x) - m_viewportOrg.x, m_scaleX.den, m_scaleX.num);
    std::int64_t y = m_windowOrg.y + MulDivRound(std::int64_t(p.y) - m_viewportOrg.y, m_scaleY.den, m_scaleY.num);
    return CPoint(ClampToInt(x), ClampToInt(y));
}
