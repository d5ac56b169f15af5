#pragma once

// One layer of a route search: the positions a route reaches after the
// same number of jumps, each with the least length still to go from it to
// the goal. It answers "from this point, which next step leaves the least
// length in all" without trying every member: a tree over the members
// keeps the least cost below each node, and a node whose nearest possible
// step plus that cost cannot beat the best so far is never opened.

#include "JumpRange.h"
#include "PointTree.h"

#include <vector>

class CLayerCosts {
public:
    // Members as slots of positions, with their costs in map units.
    CLayerCosts(const CPointTree& positions, const std::vector<int>& members, std::vector<double> costs);

    // The least step length plus cost over the members one jump from
    // `from`; infinity when none is.
    double Least(CPoint from, const CJumpRange& range) const;

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
    double Step(CPoint from, int slot) const;
    double FillLeast(const CPointTree::Node& node);
    void Search(const CPointTree::Node& node, CPoint from, const CMapDisc& reach, double& best) const;

    CPointTree m_tree;
    std::vector<int> m_members;     // by slot of m_tree: the slot in positions
    std::vector<double> m_costs;    // by slot of m_tree
    std::vector<double> m_least;    // by node id: the least cost below it
};
