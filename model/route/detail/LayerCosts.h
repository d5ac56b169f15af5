// SPDX-License-Identifier: MIT
#pragma once

// One layer of a route search: the positions a route reaches after the
// same number of jumps, each with the least length still to go from it to
// the goal. It answers "from this point, which next step leaves the least
// length in all" without trying every member. No way from a member to the
// goal is shorter than the straight line, so a member's cost is that line
// plus a detour; a tree over the members keeps the least detour below
// each node, and a node is never opened when the shortest way through its
// box plus that detour cannot beat the best step found so far.

#include "model/map/JumpRange.h"
#include "model/find/PointTree.h"

#include <vector>

class CLayerCosts {
public:
    // Members as slots of positions, with their costs in map units to the
    // goal.
    CLayerCosts(const CPointTree& positions, const std::vector<int>& members, std::vector<double> costs,
                CPoint goal);

    // The least step length plus cost over the members one jump from
    // `from`; infinity when none is. Hint names a member whose step is
    // tried first (-1 for none) and receives the best one: the best step
    // from a nearby point makes a good first bound. It is this object's
    // own number, only to be handed back.
    double Least(CPoint from, const CJumpRange& range, int& hint) const;

    // Calls visit(member slot in positions, step length + cost) for every
    // member one jump from `from`.
    template <class Visit>
    void ForEachStep(CPoint from, const CJumpRange& range, Visit&& visit) const
    {
        m_tree.ForEachWithin(range.Around(from), [&](int slot) {
            visit(m_members[std::size_t(slot)], Step(from, slot));
        });
    }

private:
    struct Best {
        double total;
        int slot;  // of m_tree
    };
    double Step(CPoint from, int slot) const;
    double FillDetour(const CPointTree::Node& node);
    double Bound(const CPointTree::Node& node, CPoint from) const;
    void Search(const CPointTree::Node& node, double bound, CPoint from, const CMapDisc& reach, Best& best) const;

    CPointTree m_tree;
    std::vector<int> m_members;     // by slot of m_tree: the slot in positions
    std::vector<double> m_costs;    // by slot of m_tree
    CPoint m_goal;
    std::vector<double> m_detour;   // by node id: the least cost less straight line below it
};
