// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

// One planet line of a data file.
struct CPlanet {
    std::string m_strName;     // name words joined by single spaces; may be empty
    std::int32_t m_x = 0;      // map units: 10 x the file's x
    std::int32_t m_y = 0;      // map units: -10 x the file's y, so north is up
    std::string m_strFaction;  // faction code exactly as read
};
