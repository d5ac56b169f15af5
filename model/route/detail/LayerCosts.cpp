// SPDX-License-Identifier: MIT
#include "LayerCosts.h"

#include "Detour.h"
#include "model/map/LightYears.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
} // namespace

CLayerCosts::CLayerCosts(const CPointTree& positions, const std::vector<int>& members, std::vector<double> costs,
                         CPoint goal)
    : m_goal(goal)
{
    std::vector<CPoint> points;
    points.reserve(members.size());
    for (int member : members)
        points.push_back(positions.At(member));
    std::vector<int> order;
    m_tree = CPointTree(points, &order);
    for (int index : order) {
        m_members.push_back(members[std::size_t(index)]);
        m_costs.push_back(costs[std::size_t(index)]);
    }
    m_detour.assign(std::size_t(m_tree.NodeIdLimit()), kInfinity);
    if (m_tree.Size() > 0)
        FillDetour(m_tree.Root());
}

double CLayerCosts::FillDetour(const CPointTree::Node& node)
{
    double least = kInfinity;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot)
            least = std::min(least, m_costs[std::size_t(slot)] - MapDistance(m_tree.At(slot), m_goal));
    } else {
        least = std::min(FillDetour(m_tree.Child(node, 0)), FillDetour(m_tree.Child(node, 1)));
    }
    return m_detour[std::size_t(node.id)] = least;
}

double CLayerCosts::Step(CPoint from, int slot) const
{
    return MapDistance(from, m_tree.At(slot)) + m_costs[std::size_t(slot)];
}

double CLayerCosts::Bound(const CPointTree::Node& node, CPoint from) const
{
    // A hair below the exact bound, so that rounding never sets aside a
    // member that ties with the best.
    return (LeastDetour(from, m_goal, node.box) + m_detour[std::size_t(node.id)]) * (1 - 1e-12);
}

double CLayerCosts::Least(CPoint from, const CJumpRange& range, int& hint) const
{
    CMapDisc reach = range.Around(from);
    Best best{kInfinity, -1};
    if (hint >= 0 && hint < m_tree.Size() && reach.Contains(m_tree.At(hint)))
        best = {Step(from, hint), hint};
    if (m_tree.Size() > 0)
        Search(m_tree.Root(), Bound(m_tree.Root(), from), from, reach, best);
    hint = best.slot;
    return best.total;
}

void CLayerCosts::Search(const CPointTree::Node& node, double bound, CPoint from, const CMapDisc& reach,
                         Best& best) const
{
    if (bound >= best.total || !reach.Holds(reach.NearestSquared(node.box)))
        return;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot) {
            // The exact range test only for a step that would be better.
            double total = Step(from, slot);
            if (total < best.total && reach.Contains(m_tree.At(slot)))
                best = {total, slot};
        }
        return;
    }
    // The half with the lower bound first, so that the other is more often cut.
    CPointTree::Node halves[2] = {m_tree.Child(node, 0), m_tree.Child(node, 1)};
    double bounds[2] = {Bound(halves[0], from), Bound(halves[1], from)};
    int first = bounds[1] < bounds[0] ? 1 : 0;
    Search(halves[first], bounds[first], from, reach, best);
    Search(halves[1 - first], bounds[1 - first], from, reach, best);
}
