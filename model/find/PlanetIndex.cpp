// SPDX-License-Identifier: MIT
#include "PlanetIndex.h"

#include "model/map/StarMap.h"

#include <algorithm>
#include <queue>
#include <tuple>

namespace {

struct Placed {
    CPoint at;
    std::int16_t planet;
};

bool Before(const Placed& a, const Placed& b)
{
    return std::tie(a.at.x, a.at.y, a.planet) < std::tie(b.at.x, b.at.y, b.planet);
}

// A planet found in the disc; the worse of two is the farther, or the later
// in the file at the same distance.
struct Found {
    CMapDisc::Wide distance;
    std::int16_t planet;
    friend bool operator<(const Found& a, const Found& b)
    {
        return std::tie(a.distance, a.planet) < std::tie(b.distance, b.planet);
    }
};

struct Pending {
    CMapDisc::Wide distance;
    CPointTree::Node node;
    friend bool operator>(const Pending& a, const Pending& b) { return a.distance > b.distance; }
};

} // namespace

CPlanetIndex::CPlanetIndex(const CStarMap& map)
{
    std::vector<Placed> placed;
    for (std::int16_t i = 0; i < map.GetPlanetCount(); ++i)
        placed.push_back({CPoint(map.GetPlanet(i).m_x, map.GetPlanet(i).m_y), i});
    std::sort(placed.begin(), placed.end(), Before);
    // One position per run of equal points; starts[k] is where run k begins.
    std::vector<CPoint> positions;
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i == 0 || !(placed[i].at == placed[i - 1].at)) {
            positions.push_back(placed[i].at);
            starts.push_back(i);
        }
    }
    starts.push_back(placed.size());
    std::vector<int> order;
    m_tree = CPointTree(positions, &order);
    m_first.reserve(positions.size() + 1);
    m_planets.reserve(placed.size());
    for (int position : order) {
        m_first.push_back(static_cast<std::uint16_t>(m_planets.size()));
        for (std::size_t i = starts[std::size_t(position)]; i < starts[std::size_t(position) + 1]; ++i)
            m_planets.push_back(placed[i].planet);
    }
    m_first.push_back(static_cast<std::uint16_t>(m_planets.size()));
}

std::span<const std::int16_t> CPlanetIndex::PlanetsAt(int slot) const
{
    return std::span<const std::int16_t>(m_planets).subspan(m_first[std::size_t(slot)],
                                                            std::size_t(PlanetsIn(slot, slot + 1)));
}

int CPlanetIndex::SlotOf(CPoint p) const
{
    int found = -1;
    m_tree.ForEachWithin(CMapDisc::Squared(p, 0), [&found](int slot) { found = slot; });
    return found;
}

int CPlanetIndex::Count(const CPointTree::Node& node, const CMapDisc& disc) const
{
    CMapDisc::Overlap overlap = disc.Of(node.box);
    if (overlap == CMapDisc::Overlap::None)
        return 0;
    if (overlap == CMapDisc::Overlap::Whole)
        return PlanetsIn(node.first, node.last);
    if (!CPointTree::IsLeaf(node))
        return Count(m_tree.Child(node, 0), disc) + Count(m_tree.Child(node, 1), disc);
    int count = 0;
    for (int slot = node.first; slot < node.last; ++slot)
        if (disc.Contains(m_tree.At(slot)))
            count += PlanetsIn(slot, slot + 1);
    return count;
}

int CPlanetIndex::CountWithin(const CMapDisc& disc) const
{
    return m_tree.Size() == 0 ? 0 : Count(m_tree.Root(), disc);
}

CNearbyPlanets CPlanetIndex::Near(const CMapDisc& disc, int limit) const
{
    CNearbyPlanets result;
    int total = CountWithin(disc);
    std::size_t wanted = std::size_t(std::clamp(limit, 0, total));
    // Best first: nodes by their nearest possible distance; the kept planets
    // form a heap with the worst on top. A node no nearer than the worst
    // kept one may still hold a planet earlier in the file at that distance.
    std::vector<Found> kept;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> pending;
    if (wanted > 0)
        pending.push({disc.NearestSquared(m_tree.Root().box), m_tree.Root()});
    while (!pending.empty()) {
        Pending next = pending.top();
        pending.pop();
        if (kept.size() == wanted && next.distance > kept.front().distance)
            break;
        if (!CPointTree::IsLeaf(next.node)) {
            for (int side = 0; side < 2; ++side) {
                CPointTree::Node child = m_tree.Child(next.node, side);
                if (disc.Of(child.box) != CMapDisc::Overlap::None)
                    pending.push({disc.NearestSquared(child.box), child});
            }
            continue;
        }
        for (int slot = next.node.first; slot < next.node.last; ++slot) {
            CMapDisc::Wide distance = disc.DistanceSquared(m_tree.At(slot));
            if (!disc.Holds(distance))
                continue;
            for (std::int16_t planet : PlanetsAt(slot)) {
                Found found{distance, planet};
                if (kept.size() == wanted) {
                    if (!(found < kept.front()))
                        break;  // the rest of this position come later in the file
                    std::pop_heap(kept.begin(), kept.end());
                    kept.pop_back();
                }
                kept.push_back(found);
                std::push_heap(kept.begin(), kept.end());
            }
        }
    }
    std::sort_heap(kept.begin(), kept.end());
    for (const Found& found : kept)
        result.nearest.push_back(found.planet);
    result.more = total - static_cast<int>(result.nearest.size());
    return result;
}
