// SPDX-License-Identifier: MIT
#include "RangeRing.h"

#include "model/map/FactionTable.h"
#include "model/map/LightYears.h"
#include "model/map/StarMap.h"

#include "platform/surface/DC.h"

#include <limits>

std::optional<CRect> RangeRingSquare(CPoint centre, std::uint64_t thousandths)
{
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    constexpr std::uint64_t kThousandthsPerUnit = 1000 / kMapUnitsPerLightYear;
    if (thousandths / kThousandthsPerUnit > std::uint64_t(kLimit))
        return std::nullopt;
    const std::int64_t r = std::int64_t((thousandths + kThousandthsPerUnit / 2) / kThousandthsPerUnit);
    const std::int64_t left = std::int64_t(centre.x) - r, right = std::int64_t(centre.x) + r;
    const std::int64_t top = std::int64_t(centre.y) - r, bottom = std::int64_t(centre.y) + r;
    if (left < -kLimit || top < -kLimit || right > kLimit || bottom > kLimit)
        return std::nullopt;
    return CRect(int(left), int(top), int(right), int(bottom));
}

void DrawRangeRing(CDC& dc, CStarMap& map, const CRect& square)
{
    if (!dc.IsPrinting())
        dc.SelectObject(&map.GetPen(kPenYellow));
    dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(square.left, square.top, square.right, square.bottom);
}
