// SPDX-License-Identifier: MIT
#pragma once

// A closed disc on the map, the shape every planet search asks about, and
// the boxes the searches prune with.
//
// Centre and radius are given in fractions of a map unit over one common
// denominator, the scale, so that a question such as "within five map
// units plus four device pixels of this pixel" is exact at every zoom:
// with s device pixels to d map units, scale s turns d / s map units per
// pixel into whole numbers. A point lies in the disc when its distance
// from the centre is at most the radius. All comparisons are exact, in
// 128-bit integers: no rounding decides whether a planet is in or out.

#include "platform/surface/Types.h"

#include <cstdint>

// A box of map units, every side inclusive.
struct CMapBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class CMapDisc {
public:
    // Squared distances, in (1 / scale) map units; the largest fits easily.
    using Wide = unsigned __int128;

    // Centre (x / scale, y / scale) and radius radius / scale. Scale runs
    // from 1 to 2^31 and the other three up to 2^62 in size; values beyond
    // are clamped. A negative radius gives a disc that holds nothing.
    static CMapDisc Scaled(std::int64_t x, std::int64_t y, std::int64_t radius, std::int64_t scale);
    // Centre a map point; holds the points whose squared distance from it,
    // in map units, is at most radiusSquared.
    static CMapDisc Squared(CPoint centre, Wide radiusSquared);

    Wide DistanceSquared(CPoint p) const;
    bool Contains(CPoint p) const { return Holds(DistanceSquared(p)); }
    // Whether a point at that squared distance lies in the disc.
    bool Holds(Wide distanceSquared) const { return !m_empty && distanceSquared <= m_radiusSquared; }

    enum class Overlap { None, Part, Whole };
    Overlap Of(const CMapBox& box) const;
    // Squared distance from the centre to the nearest point of the box.
    Wide NearestSquared(const CMapBox& box) const;
    std::int64_t Scale() const { return m_scale; }

private:
    __int128 Offset(int coordinate, std::int64_t centre) const;
    bool OnGrid() const;

    std::int64_t m_x = 0;
    std::int64_t m_y = 0;
    std::int64_t m_scale = 1;
    Wide m_radiusSquared = 0;
    bool m_empty = false;
    bool m_unit = false;  // scale 1, centre a 32-bit point: offsets fit 64 bits
};
