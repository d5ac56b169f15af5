// SPDX-License-Identifier: MIT
#include "PointTree.h"

#include <algorithm>
#include <numeric>

namespace {

int Coordinate(CPoint p, int depth)
{
    return depth % 2 == 0 ? p.x : p.y;
}

struct Arranger {
    const std::vector<CPoint>& points;
    std::vector<int>& order;
    std::vector<int>& splits;
    int idLimit = 2;

    // Puts the middle element of [first, last) in place on the depth's axis,
    // the smaller ones before it, then does the same for both halves.
    void Arrange(int id, int first, int last, int depth)
    {
        idLimit = std::max(idLimit, id + 1);
        if (last - first <= CPointTree::kLeafSize)
            return;
        int middle = first + (last - first) / 2;
        auto less = [this, depth](int a, int b) {
            return Coordinate(points[std::size_t(a)], depth) < Coordinate(points[std::size_t(b)], depth);
        };
        std::nth_element(order.begin() + first, order.begin() + middle, order.begin() + last, less);
        // Kept apart: arranging the right half moves another point into the
        // middle slot.
        if (splits.size() <= std::size_t(id))
            splits.resize(std::size_t(id) + 1);
        splits[std::size_t(id)] = Coordinate(points[std::size_t(order[std::size_t(middle)])], depth);
        Arrange(2 * id, first, middle, depth + 1);
        Arrange(2 * id + 1, middle, last, depth + 1);
    }
};

CMapBox BoundsOf(const std::vector<CPoint>& points)
{
    if (points.empty())
        return {};
    CMapBox box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (CPoint p : points) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

} // namespace

CPointTree::CPointTree(const std::vector<CPoint>& points, std::vector<int>* order)
{
    std::vector<int> arrangement(points.size());
    std::iota(arrangement.begin(), arrangement.end(), 0);
    Arranger arranger{points, arrangement, m_splits};
    arranger.Arrange(1, 0, static_cast<int>(points.size()), 0);
    m_idLimit = arranger.idLimit;
    m_splits.shrink_to_fit();
    m_points.reserve(points.size());
    for (int index : arrangement)
        m_points.push_back(points[std::size_t(index)]);
    m_bounds = BoundsOf(m_points);
    if (order != nullptr)
        *order = std::move(arrangement);
}

CPointTree::Node CPointTree::Root() const
{
    return Node{1, 0, Size(), 0, m_bounds};
}

CPointTree::Node CPointTree::Child(const Node& node, int side) const
{
    int middle = node.first + (node.last - node.first) / 2;
    int split = m_splits[std::size_t(node.id)];
    Node child{2 * node.id + side, node.first, middle, node.depth + 1, node.box};
    bool onX = node.depth % 2 == 0;
    if (side == 0) {
        (onX ? child.box.right : child.box.bottom) = split;
    } else {
        child.first = middle;
        child.last = node.last;
        (onX ? child.box.left : child.box.top) = split;
    }
    return child;
}
