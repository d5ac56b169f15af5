#include "RouteFinder.h"

#include "LayerCosts.h"
#include "LightYears.h"
#include "PlanetIndex.h"
#include "ReachSearch.h"
#include "StarMap.h"

#include <algorithm>
#include <climits>
#include <limits>
#include <memory>

namespace {

// The planets a route runs between and the positions they stand on: the
// start and goal positions stand for those two planets, every other
// position for its first planet in the file.
struct Ends {
    const CPlanetIndex& index;
    std::int16_t from, to;
    int start, goal;

    std::int16_t PlanetAt(int slot) const
    {
        return slot == start ? from : slot == goal ? to : index.PlanetsAt(slot)[0];
    }
    CPoint At(int slot) const { return index.Positions().At(slot); }
};

// Equal within a billionth: sums of the same lengths added in another order.
bool Ties(double value, double best)
{
    return value <= best + 1e-9 * std::max(1.0, best);
}

// Jumps from start to every position reached, -1 for the rest; stops once
// stop is reached or after maxJumps.
std::vector<int> Jumps(const CPointTree& tree, int start, const CJumpRange& range, int stop, int maxJumps)
{
    std::vector<int> jumps(std::size_t(tree.Size()), -1);
    CReachSearch search(tree);
    search.Take(start);
    jumps[std::size_t(start)] = 0;
    std::vector<int> frontier{start}, next;
    for (int depth = 1; depth <= maxJumps && !frontier.empty(); ++depth) {
        next.clear();
        for (int slot : frontier) {
            std::size_t before = next.size();
            search.TakeWithin(range.Around(tree.At(slot)), next);
            for (std::size_t i = before; i < next.size(); ++i)
                jumps[std::size_t(next[i])] = depth;
            if (stop >= 0 && jumps[std::size_t(stop)] >= 0)
                return jumps;
        }
        frontier.swap(next);
    }
    return jumps;
}

// The positions that lie on some fewest-jump route, by the jump they are
// reached at: those as many jumps from the start as the goal is from them.
std::vector<std::vector<int>> Layers(const Ends& ends, const CJumpRange& range, const std::vector<int>& fromStart)
{
    const int jumps = fromStart[std::size_t(ends.goal)];
    std::vector<int> toGoal = Jumps(ends.index.Positions(), ends.goal, range, -1, jumps - 1);
    std::vector<std::vector<int>> layers(std::size_t(jumps) + 1);
    for (std::size_t slot = 0; slot < fromStart.size(); ++slot) {
        int k = fromStart[slot];
        if (k > 0 && k < jumps && toGoal[slot] == jumps - k)
            layers[std::size_t(k)].push_back(int(slot));
    }
    layers[0] = {ends.start};
    layers[std::size_t(jumps)] = {ends.goal};
    return layers;
}

// From the goal back to the start: each layer's members with the least
// length still to go from them.
std::vector<std::unique_ptr<CLayerCosts>> Costs(const Ends& ends, const CJumpRange& range,
                                                const std::vector<std::vector<int>>& layers)
{
    std::vector<std::unique_ptr<CLayerCosts>> costs(layers.size());
    const CPointTree& positions = ends.index.Positions();
    costs.back() = std::make_unique<CLayerCosts>(positions, layers.back(), std::vector<double>{0.0});
    for (std::size_t k = layers.size() - 2; k > 0; --k) {
        std::vector<double> least;
        for (int slot : layers[k])
            least.push_back(costs[k + 1]->Least(ends.At(slot), range));
        costs[k] = std::make_unique<CLayerCosts>(positions, layers[k], std::move(least));
    }
    return costs;
}

// Forward from the start, each step to the member that leaves the least in
// all; of equal ones, the one first in the file.
std::vector<int> Stops(const Ends& ends, const CJumpRange& range, const std::vector<int>& fromStart)
{
    std::vector<std::vector<int>> layers = Layers(ends, range, fromStart);
    std::vector<std::unique_ptr<CLayerCosts>> costs = Costs(ends, range, layers);
    std::vector<int> stops{ends.start};
    for (std::size_t k = 1; k < layers.size(); ++k) {
        CPoint here = ends.At(stops.back());
        double best = costs[k]->Least(here, range);
        int chosen = -1;
        costs[k]->ForEachStep(here, range, [&](int slot, double total) {
            if (Ties(total, best) && (chosen < 0 || ends.PlanetAt(slot) < ends.PlanetAt(chosen)))
                chosen = slot;
        });
        stops.push_back(chosen);
    }
    return stops;
}

CRoute Found(const Ends& ends, const std::vector<int>& stops)
{
    CRoute route;
    route.found = true;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        CPoint a = ends.At(stops[i - 1]), b = ends.At(stops[i]);
        route.legs.push_back({ends.PlanetAt(stops[i - 1]), ends.PlanetAt(stops[i]), MapDistance(a, b),
                              WholeLightYears(a, b)});
        route.length += route.legs.back().length;
    }
    return route;
}

// The reachable position closest to the goal; of equal ones, the one whose
// planet comes first.
CRoute NotFound(const Ends& ends, const std::vector<int>& fromStart)
{
    CMapDisc goal = CMapDisc::Squared(ends.At(ends.goal), 0);
    int best = ends.start;
    for (std::size_t i = 0; i < fromStart.size(); ++i) {
        int slot = int(i);
        if (fromStart[i] < 0)
            continue;
        CMapDisc::Wide d = goal.DistanceSquared(ends.At(slot)), b = goal.DistanceSquared(ends.At(best));
        if (d < b || (d == b && ends.PlanetAt(slot) < ends.PlanetAt(best)))
            best = slot;
    }
    CRoute route;
    route.nearest = ends.PlanetAt(best);
    route.nearestLength = MapDistance(ends.At(best), ends.At(ends.goal));
    route.nearestLightYears = WholeLightYears(ends.At(best), ends.At(ends.goal));
    return route;
}

} // namespace

std::int64_t CRoute::LightYears() const
{
    return WholeLightYears(length);
}

CRoute FindRoute(const CStarMap& map, std::int16_t from, std::int16_t to, const CJumpRange& range)
{
    if (from == to) {
        CRoute route;
        route.found = true;
        return route;
    }
    const CPlanetIndex& index = map.GetPlanetIndex();
    auto slotOf = [&](std::int16_t planet) {
        return index.SlotOf(CPoint(map.GetPlanet(planet).m_x, map.GetPlanet(planet).m_y));
    };
    Ends ends{index, from, to, slotOf(from), slotOf(to)};
    if (ends.start == ends.goal) {
        CRoute route;
        route.found = true;
        route.legs.push_back({from, to, 0.0, 0});
        return route;
    }
    std::vector<int> fromStart = Jumps(index.Positions(), ends.start, range, ends.goal, INT_MAX);
    if (fromStart[std::size_t(ends.goal)] < 0)
        return NotFound(ends, fromStart);
    return Found(ends, Stops(ends, range, fromStart));
}
