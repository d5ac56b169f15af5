// SPDX-License-Identifier: MIT
#pragma once

// The planets of a map, in file order. They are kept in blocks of a fixed
// number of planets rather than one heap block each: a full map is 64
// allocations instead of 32767, and a planet never moves once added, so a
// reference to one stays good while more are appended.

#include "Planet.h"

#include <cstddef>
#include <vector>

class CPlanetList {
public:
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const CPlanet& operator[](std::size_t index) const { return m_blocks[index / kBlock][index % kBlock]; }
    CPlanet& operator[](std::size_t index) { return m_blocks[index / kBlock][index % kBlock]; }

    // A new, empty planet at the end, for a reader to fill in place.
    CPlanet& AppendEmpty();
    void pop_back();
    void clear();

private:
    // 512 planets of 72 bytes: a block stays well below the size at which
    // the C library maps memory of its own for it.
    static constexpr std::size_t kBlock = 512;

    // Each block's capacity is reserved when it is made and never exceeded,
    // so its planets are never moved.
    std::vector<std::vector<CPlanet>> m_blocks;
    std::size_t m_count = 0;
};
