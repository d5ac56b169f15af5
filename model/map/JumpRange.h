// SPDX-License-Identifier: MIT
#pragma once

// How far one jump of a route may go. A leg is allowed when its length in
// map units, divided by the map units of a light year, is at most the
// range: compared exactly, without rounding, so a leg exactly as long as
// the range is allowed. A range is a whole number of thousandths of a
// light year, which is how a fractional range is given: "12.5" or
// "0.125", never more than three digits after the point.

#include "MapDisc.h"

#include "platform/surface/Types.h"

#include <cstdint>
#include <optional>
#include <string_view>

class CJumpRange {
public:
    // Decimal digits, optionally a point and at most three more digits;
    // at most fifteen digits before the point. No sign, no blanks. Ranges
    // beyond 10^12 light years, far more than any two points lie apart,
    // count as 10^12.
    static std::optional<CJumpRange> Parse(std::string_view text);
    static CJumpRange FromLightYears(std::int64_t lightYears);
    static CJumpRange FromThousandths(std::uint64_t thousandths);
    // The least whole number of tenths of a light year that, as a range,
    // allows the jump from a to b: its length rounded up to a tenth.
    static std::uint64_t TenthsToJump(CPoint a, CPoint b);
    // The same for a jump whose length, squared, is squared map units.
    static std::uint64_t TenthsToJump(CMapDisc::Wide squared);

    bool Allows(CPoint from, CPoint to) const;
    // The points one jump from centre can reach.
    CMapDisc Around(CPoint centre) const { return CMapDisc::Squared(centre, m_maxSquared); }
    std::uint64_t Thousandths() const { return m_thousandths; }

private:
    std::uint64_t m_thousandths = 0;
    CMapDisc::Wide m_maxSquared = 0;  // the longest leg, squared, in map units
};
