// SPDX-License-Identifier: MIT
#pragma once

// A static two-dimensional tree over map points, stored as nothing but the
// points in the tree's own order: a node is a run of slots, split at its
// middle slot on x at even depths and on y at odd ones, so that the left
// half lies at or left of (above) the middle point and the right half at
// or beyond it. Nodes of at most kLeafSize slots are leaves. Node boxes
// come from the splits as a search walks down, so the tree costs little
// beyond its points: one split value per inner node.
//
// Searches that keep something per node (a count, a minimum) index it by
// the node's id: 1 for the root, 2 id and 2 id + 1 for its two halves,
// always below NodeIdLimit().

#include "model/map/MapDisc.h"

#include "platform/surface/Types.h"

#include <vector>

class CPointTree {
public:
    static constexpr int kLeafSize = 8;

    struct Node {
        int id = 1;
        int first = 0;  // slots [first, last)
        int last = 0;
        int depth = 0;
        CMapBox box;    // every point of the node lies in it
    };

    CPointTree() = default;
    // Arranges the points; order, when given, receives for each slot the
    // index in points of the point that now sits there.
    explicit CPointTree(const std::vector<CPoint>& points, std::vector<int>* order = nullptr);

    int Size() const { return static_cast<int>(m_points.size()); }
    CPoint At(int slot) const { return m_points[static_cast<std::size_t>(slot)]; }
    int NodeIdLimit() const { return m_idLimit; }

    Node Root() const;
    static bool IsLeaf(const Node& node) { return node.last - node.first <= kLeafSize; }
    // side 0 is the left (or upper) half, 1 the right (or lower) one.
    Node Child(const Node& node, int side) const;

    // Calls visit(slot) for every point in the disc, in no useful order.
    template <class Visit>
    void ForEachWithin(const CMapDisc& disc, Visit&& visit) const
    {
        if (Size() > 0)
            Walk(Root(), disc, visit);
    }

private:
    template <class Visit>
    void Walk(const Node& node, const CMapDisc& disc, Visit& visit) const
    {
        CMapDisc::Overlap overlap = disc.Of(node.box);
        if (overlap == CMapDisc::Overlap::None)
            return;
        if (overlap == CMapDisc::Overlap::Whole || IsLeaf(node)) {
            for (int slot = node.first; slot < node.last; ++slot)
                if (overlap == CMapDisc::Overlap::Whole || disc.Contains(At(slot)))
                    visit(slot);
            return;
        }
        Walk(Child(node, 0), disc, visit);
        Walk(Child(node, 1), disc, visit);
    }

    std::vector<CPoint> m_points;
    std::vector<int> m_splits;  // by node id, for inner nodes
    CMapBox m_bounds;
    int m_idLimit = 2;
};
