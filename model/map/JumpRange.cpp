// SPDX-License-Identifier: MIT
#include "JumpRange.h"

#include "LightYears.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxWholeDigits = 15;
constexpr int kMaxFractionDigits = 3;
constexpr std::uint64_t kThousand = 1000;
// 10^12 light years. The two farthest 32-bit points lie about 3 x 10^8
// light years apart, so a larger range allows nothing more, and the square
// of this one still fits the wide type.
constexpr std::uint64_t kMaxThousandths = 1'000'000'000'000'000;
} // namespace

std::optional<CJumpRange> CJumpRange::Parse(std::string_view text)
{
    std::uint64_t whole = 0, fraction = 0;
    int wholeDigits = 0, fractionDigits = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && !point && wholeDigits < kMaxWholeDigits) {
            whole = whole * 10 + std::uint64_t(c - '0');
            ++wholeDigits;
        } else if (c >= '0' && c <= '9' && point && fractionDigits < kMaxFractionDigits) {
            fraction = fraction * 10 + std::uint64_t(c - '0');
            ++fractionDigits;
        } else {
            return std::nullopt;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int i = fractionDigits; i < kMaxFractionDigits; ++i)
        fraction *= 10;
    return FromThousandths(whole * kThousand + fraction);
}

CJumpRange CJumpRange::FromLightYears(std::int64_t lightYears)
{
    if (lightYears < 0)
        return FromThousandths(0);
    return FromThousandths(std::uint64_t(lightYears) > kMaxThousandths / kThousand ? kMaxThousandths
                                                                                   : std::uint64_t(lightYears) * kThousand);
}

CJumpRange CJumpRange::FromThousandths(std::uint64_t thousandths)
{
    // A leg of d map units is allowed when d / units-per-light-year <= t /
    // 1000, that is d^2 <= (t x units / 1000)^2; d^2 is whole, so the
    // bound may be rounded down to a whole number of squared units.
    CJumpRange range;
    range.m_thousandths = std::min(thousandths, kMaxThousandths);
    CMapDisc::Wide scaled = CMapDisc::Wide(range.m_thousandths) * kMapUnitsPerLightYear;
    range.m_maxSquared = scaled * scaled / (kThousand * kThousand);
    return range;
}

bool CJumpRange::Allows(CPoint from, CPoint to) const
{
    return Around(from).Contains(to);
}

std::uint64_t CJumpRange::TenthsToJump(CPoint a, CPoint b)
{
    return TenthsToJump(CMapDisc::Squared(a, 0).DistanceSquared(b));
}

std::uint64_t CJumpRange::TenthsToJump(CMapDisc::Wide squared)
{
    // A range of t tenths allows a leg of d map units when d^2 <= (2t)^2
    // (FromThousandths with 100 t): t is half the least r with r^2 >= d^2,
    // rounded up. Squares of 32-bit differences fit the wide type.
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(squared)));
    while (root > 0 && CMapDisc::Wide(root - 1) * (root - 1) >= squared)
        --root;
    while (CMapDisc::Wide(root) * root < squared)
        ++root;
    return (root + 1) / 2;
}
