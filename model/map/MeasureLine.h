// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// A distance line the user drew; the distance is stored, never recomputed.
struct CMeasureLine {
    std::int32_t m_x1 = 0;  // start, map units
    std::int32_t m_y1 = 0;
    std::int32_t m_x2 = 0;  // end, map units
    std::int32_t m_y2 = 0;
    std::int32_t m_lightYears = 0;  // whole light years shown in the label
};
