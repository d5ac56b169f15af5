// SPDX-License-Identifier: MIT
#include "RouteFinder.h"

#include "model/route/detail/LayerCosts.h"
#include "model/map/LightYears.h"
#include "model/find/PlanetIndex.h"
#include "model/route/detail/ReachSearch.h"
#include "model/map/StarMap.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <queue>
#include <utility>

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
// stop is reached (never when stop is -1).
std::vector<int> Jumps(const CPointTree& tree, int start, const CJumpRange& range, int stop)
{
    std::vector<int> jumps(std::size_t(tree.Size()), -1);
    CReachSearch search(tree);
    search.Take(start);
    jumps[std::size_t(start)] = 0;
    std::vector<int> frontier{start}, next;
    for (int depth = 1; !frontier.empty(); ++depth) {
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
// reached at. Back from the goal, a layer keeps the positions of its jump
// that are one jump from a member of the next layer: each member takes
// its neighbours off a tree of the earlier jump's positions, so the work
// follows the members, not all positions.
std::vector<std::vector<int>> Layers(const Ends& ends, const CJumpRange& range, const std::vector<int>& fromStart)
{
    const std::size_t jumps = std::size_t(fromStart[std::size_t(ends.goal)]);
    std::vector<std::vector<int>> atJump(jumps);
    for (std::size_t slot = 0; slot < fromStart.size(); ++slot)
        if (fromStart[slot] > 0 && std::size_t(fromStart[slot]) < jumps)
            atJump[std::size_t(fromStart[slot])].push_back(int(slot));
    std::vector<std::vector<int>> layers(jumps + 1);
    layers[0] = {ends.start};
    layers[jumps] = {ends.goal};
    for (std::size_t k = jumps - 1; k > 0; --k) {
        std::vector<CPoint> points;
        for (int slot : atJump[k])
            points.push_back(ends.At(slot));
        std::vector<int> order, taken;
        CPointTree tree(points, &order);
        CReachSearch search(tree);
        for (int slot : layers[k + 1])
            search.TakeWithin(range.Around(ends.At(slot)), taken);
        for (int t : taken)
            layers[k].push_back(atJump[k][std::size_t(order[std::size_t(t)])]);
        std::sort(layers[k].begin(), layers[k].end());  // back in the index's order, near ones together
    }
    return layers;
}

// A first route by the straight-line rule: each step to the member of the
// next layer that looks shortest to the goal. It is seldom the best, but
// its length bounds the best one's, so only members within that length of
// start and goal together can lie on the best route.
double FirstGuess(const Ends& ends, const CJumpRange& range, const std::vector<std::vector<int>>& layers)
{
    std::vector<int> layerOf(std::size_t(ends.index.Positions().Size()), -1);
    for (std::size_t k = 1; k < layers.size(); ++k)
        for (int slot : layers[k])
            layerOf[std::size_t(slot)] = int(k);
    const CPoint goal = ends.At(ends.goal);
    double total = 0;
    for (int k = 1, here = ends.start; k < int(layers.size()); ++k) {
        int next = -1;
        double best = std::numeric_limits<double>::infinity();
        ends.index.Positions().ForEachWithin(range.Around(ends.At(here)), [&](int slot) {
            double guess = MapDistance(ends.At(here), ends.At(slot)) + MapDistance(ends.At(slot), goal);
            if (layerOf[std::size_t(slot)] == k && guess < best)
                best = guess, next = slot;
        });
        total += MapDistance(ends.At(here), ends.At(next));
        here = next;
    }
    return total;
}

// Leaves out the members no route of at most the guessed length can pass.
void KeepWithin(const Ends& ends, double length, std::vector<std::vector<int>>& layers)
{
    const CPoint start = ends.At(ends.start), goal = ends.At(ends.goal);
    const double limit = length * (1 + 1e-9) + 1e-9;
    for (std::size_t k = 1; k + 1 < layers.size(); ++k)
        std::erase_if(layers[k], [&](int slot) {
            return MapDistance(start, ends.At(slot)) + MapDistance(ends.At(slot), goal) > limit;
        });
}

// From the goal back to the start: each layer's members with the least
// length still to go from them.
std::vector<std::unique_ptr<CLayerCosts>> Costs(const Ends& ends, const CJumpRange& range,
                                                const std::vector<std::vector<int>>& layers)
{
    std::vector<std::unique_ptr<CLayerCosts>> costs(layers.size());
    const CPointTree& positions = ends.index.Positions();
    const CPoint goal = ends.At(ends.goal);
    costs.back() = std::make_unique<CLayerCosts>(positions, layers.back(), std::vector<double>{0.0}, goal);
    for (std::size_t k = layers.size() - 2; k > 0; --k) {
        // Members come in the tree's order, so each is near the one before.
        std::vector<double> least;
        int hint = -1;
        for (int slot : layers[k])
            least.push_back(costs[k + 1]->Least(ends.At(slot), range, hint));
        costs[k] = std::make_unique<CLayerCosts>(positions, layers[k], std::move(least), goal);
    }
    return costs;
}

// Forward from the start, each step to the member that leaves the least in
// all; of equal ones, the one first in the file.
std::vector<int> Stops(const Ends& ends, const CJumpRange& range, const std::vector<int>& fromStart)
{
    std::vector<std::vector<int>> layers = Layers(ends, range, fromStart);
    KeepWithin(ends, FirstGuess(ends, range, layers), layers);
    std::vector<std::unique_ptr<CLayerCosts>> costs = Costs(ends, range, layers);
    std::vector<int> stops{ends.start};
    for (std::size_t k = 1; k < layers.size(); ++k) {
        CPoint here = ends.At(stops.back());
        int hint = -1;
        double best = costs[k]->Least(here, range, hint);
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

CRoute FindRoute(const CStarMap& map, const CPlanetIndex& index, std::int16_t from, std::int16_t to,
                 const CJumpRange& range)
{
    auto valid = [&map](std::int16_t planet) { return planet >= 0 && planet < map.GetPlanetCount(); };
    if (!valid(from) || !valid(to))
        return CRoute();
    if (from == to) {
        CRoute route;
        route.found = true;
        return route;
    }
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
    std::vector<int> fromStart = Jumps(index.Positions(), ends.start, range, ends.goal);
    if (fromStart[std::size_t(ends.goal)] < 0)
        return NotFound(ends, fromStart);
    return Found(ends, Stops(ends, range, fromStart));
}

std::vector<int> JumpsFrom(const CStarMap& map, const CPlanetIndex& index, std::int16_t from,
                           const CJumpRange& range)
{
    std::vector<int> planets(std::size_t(map.GetPlanetCount()), -1);
    if (from < 0 || from >= map.GetPlanetCount())
        return planets;
    const int start = index.SlotOf(CPoint(map.GetPlanet(from).m_x, map.GetPlanet(from).m_y));
    const std::vector<int> positions = Jumps(index.Positions(), start, range, -1);
    for (int slot = 0; slot < index.Positions().Size(); ++slot)
        for (std::int16_t planet : index.PlanetsAt(slot))
            planets[std::size_t(planet)] = positions[std::size_t(slot)];
    // Another planet at the start's position is a jump of no length away,
    // as a route to it has it.
    for (std::int16_t planet : index.PlanetsAt(start))
        planets[std::size_t(planet)] = planet == from ? 0 : 1;
    return planets;
}

namespace {

// The start's tree grown one shortest jump at a time (Prim's order): the
// longest jump taken until the goal joins, squared, is the least range
// that reaches it. Each member waits in the queue with its nearest point
// off the tree and their distance, looked up again only when that point
// has joined meanwhile (the distance then only grows).
CMapDisc::Wide LongestJumpOfTheWidestPath(const CPointTree& tree, int start, int goal)
{
    struct Entry {
        CMapDisc::Wide distance;
        int member, nearest;
        bool operator>(const Entry& other) const { return distance > other.distance; }
    };
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    CReachSearch search(tree);
    auto wait = [&](int member) {
        CMapDisc::Wide d;
        if (int nearest = search.NearestLeft(tree.At(member), d); nearest >= 0)
            queue.push({d, member, nearest});
    };
    search.Take(start);
    wait(start);
    CMapDisc::Wide longest = 0;
    while (!search.Taken(goal) && !queue.empty()) {
        const Entry next = queue.top();
        queue.pop();
        if (search.Taken(next.nearest)) {
            wait(next.member);
            continue;
        }
        longest = std::max(longest, next.distance);
        search.Take(next.nearest);
        wait(next.nearest);
        // Stale now, and looked up again only if it comes to the top.
        queue.push(next);
    }
    return longest;
}

} // namespace

std::uint64_t LeastRangeTenths(const CStarMap& map, const CPlanetIndex& index, std::int16_t from, std::int16_t to)
{
    auto valid = [&map](std::int16_t planet) { return planet >= 0 && planet < map.GetPlanetCount(); };
    if (!valid(from) || !valid(to))
        return 0;
    auto slotOf = [&](std::int16_t planet) {
        return index.SlotOf(CPoint(map.GetPlanet(planet).m_x, map.GetPlanet(planet).m_y));
    };
    return CJumpRange::TenthsToJump(LongestJumpOfTheWidestPath(index.Positions(), slotOf(from), slotOf(to)));
}
