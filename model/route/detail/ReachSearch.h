// SPDX-License-Identifier: MIT
#pragma once

// A breadth-first search over the points of a tree, in which every point
// is taken off the tree when the search reaches it. Each question "which
// points are one jump from here" then only walks the parts of the tree
// that still hold points, and no pair of points is ever looked at twice
// for the same reason: a search over all points costs about as much as
// the points and the jumps' edges through the tree, not as all pairs.

#include "model/map/MapDisc.h"
#include "model/find/PointTree.h"

#include <vector>

class CReachSearch {
public:
    explicit CReachSearch(const CPointTree& tree);

    void Take(int slot);
    bool Taken(int slot) const { return m_taken[std::size_t(slot)]; }
    // Takes off every point still on the tree within the disc, appending
    // their slots to taken.
    void TakeWithin(const CMapDisc& disc, std::vector<int>& taken);
    // The point still on the tree nearest to p (of equal ones, any), or -1
    // when none is left; distanceSquared receives its squared distance in
    // map units. Parts of the tree that are empty or farther than the
    // best so far are not walked.
    int NearestLeft(CPoint p, CMapDisc::Wide& distanceSquared) const;

private:
    void Nearest(const CPointTree::Node& node, const CMapDisc& from, int& best, CMapDisc::Wide& bestSquared) const;
    int Count(const CPointTree::Node& node);
    int Walk(const CPointTree::Node& node, const CMapDisc& disc, bool whole, std::vector<int>& taken);

    const CPointTree& m_tree;
    std::vector<int> m_left;  // by node id: points not yet taken
    std::vector<bool> m_taken;
};
