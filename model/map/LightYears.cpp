// SPDX-License-Identifier: MIT
#include "LightYears.h"

#include <cmath>

int WholeLightYears(CPoint a, CPoint b)
{
    return static_cast<int>(WholeLightYears(MapDistance(a, b)));
}

double MapDistance(CPoint a, CPoint b)
{
    // Differences in double: the ends may lie at opposite ends of the 32-bit
    // range, and the squares of such differences are exact enough for a
    // length that is truncated anyway.
    double dx = std::fabs(double(a.x) - double(b.x));
    double dy = std::fabs(double(a.y) - double(b.y));
    return std::sqrt(dx * dx + dy * dy);
}

std::int64_t WholeLightYears(double length)
{
    return static_cast<std::int64_t>(length) / kMapUnitsPerLightYear;
}

std::int64_t TenthsOfLightYears(double length)
{
    return static_cast<std::int64_t>(length * 10 / kMapUnitsPerLightYear);
}

std::string TenthsText(std::int64_t tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}
