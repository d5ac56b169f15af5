#include "LayerCosts.h"

#include "LightYears.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
} // namespace

CLayerCosts::CLayerCosts(const CPointTree& positions, const std::vector<int>& members, std::vector<double> costs)
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
    m_least.assign(std::size_t(m_tree.NodeIdLimit()), kInfinity);
    if (m_tree.Size() > 0)
        FillLeast(m_tree.Root());
}

double CLayerCosts::FillLeast(const CPointTree::Node& node)
{
    double least = kInfinity;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot)
            least = std::min(least, m_costs[std::size_t(slot)]);
    } else {
        least = std::min(FillLeast(m_tree.Child(node, 0)), FillLeast(m_tree.Child(node, 1)));
    }
    return m_least[std::size_t(node.id)] = least;
}

double CLayerCosts::Step(CPoint from, int slot) const
{
    return MapDistance(from, m_tree.At(slot)) + m_costs[std::size_t(slot)];
}

double CLayerCosts::Least(CPoint from, const CJumpRange& range) const
{
    double best = kInfinity;
    if (m_tree.Size() > 0)
        Search(m_tree.Root(), from, range.Around(from), best);
    return best;
}

void CLayerCosts::Search(const CPointTree::Node& node, CPoint from, const CMapDisc& reach, double& best) const
{
    if (reach.Of(node.box) == CMapDisc::Overlap::None)
        return;
    double bound = m_least[std::size_t(node.id)] + std::sqrt(double(reach.NearestSquared(node.box)));
    if (bound >= best)
        return;
    if (CPointTree::IsLeaf(node)) {
        for (int slot = node.first; slot < node.last; ++slot)
            if (reach.Contains(m_tree.At(slot)))
                best = std::min(best, Step(from, slot));
        return;
    }
    // The more promising half first, so that the other is more often cut.
    CPointTree::Node halves[2] = {m_tree.Child(node, 0), m_tree.Child(node, 1)};
    if (m_least[std::size_t(halves[1].id)] < m_least[std::size_t(halves[0].id)])
        std::swap(halves[0], halves[1]);
    Search(halves[0], from, reach, best);
    Search(halves[1], from, reach, best);
}
