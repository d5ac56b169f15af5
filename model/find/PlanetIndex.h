// SPDX-License-Identifier: MIT
#pragma once

// Where the planets of a map lie, for two kinds of question: which planets
// are near a point (what lies under the pointer) and which can be reached
// from a planet (routes). Planets that share a position share one entry:
// the tree holds the distinct positions, and each position knows its
// planets in file order. Built once from a loaded map, whose planets never
// change afterwards; it reads nothing of the map after construction.
// Whoever asks these questions builds one and owns it (the view for its
// tip, a route or --near command for its run); the map knows nothing of it.
// Memory: a point and a two-byte offset per position, two bytes per planet.

#include "model/map/MapDisc.h"
#include "PointTree.h"

#include <cstdint>
#include <span>
#include <vector>

class CStarMap;

struct CNearbyPlanets {
    std::vector<std::int16_t> nearest;  // planet indices, nearest first; equal distances in file order
    int more = 0;                       // planets in the disc beyond those
};

class CPlanetIndex {
public:
    explicit CPlanetIndex(const CStarMap& map);

    std::size_t PlanetCount() const { return m_planets.size(); }
    // The distinct positions; a slot of this tree is a position.
    const CPointTree& Positions() const { return m_tree; }
    // The planets at the position in slot, in file order; never empty.
    std::span<const std::int16_t> PlanetsAt(int slot) const;
    // The slot of the position p, or -1 when no planet lies there.
    int SlotOf(CPoint p) const;

    // The planets whose centres lie in the disc: at most limit of them,
    // nearest first, and how many more there are. Distances are exact, and
    // planets at the same distance come in file order.
    CNearbyPlanets Near(const CMapDisc& disc, int limit) const;
    // How many planets lie in the disc.
    int CountWithin(const CMapDisc& disc) const;

private:
    int PlanetsIn(int firstSlot, int lastSlot) const { return m_first[std::size_t(lastSlot)] - m_first[std::size_t(firstSlot)]; }
    int Count(const CPointTree::Node& node, const CMapDisc& disc) const;

    CPointTree m_tree;
    std::vector<std::uint16_t> m_first;    // per slot, where its planets start in m_planets; one more at the end
    std::vector<std::int16_t> m_planets;   // planet indices, grouped by slot
};
