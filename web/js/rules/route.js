// SPDX-License-Identifier: MIT
// Routes between two planets as chains of jumps, none longer than a jump
// range, chosen as the viewer's route finder chooses them: the fewest
// jumps; among those the shortest in total; among routes of equal total
// (within a billionth, so that sums added in another order still tie) the
// one whose stops come first in the file, compared stop by stop from the
// start. Planets at one position are one stop: a route never visits a
// position twice, and a stop is the first planet there in file order
// (the start and goal positions stand for the two planets asked about).
//
// The search: a breadth-first walk over the positions, each taken off a
// grid when reached; then, back from the goal, the positions that lie on
// some fewest-jump route, layer by layer, with the least length still to
// go from each; then forward from the start, each step to the member that
// leaves the least in all, the first in the file among equal ones. Lengths
// are added in the same order as the viewer adds them, so the two agree to
// the last bit.
//
// The map: { count, x, y } (map units, as in hover.js).

import { jumpRange, lightYearsOfLength, mapDistance, tenthsOfLength, tenthsToJump, wholeLightYears } from './lightyears.js';
import { TakingGrid, buildGrid, forEachInRange } from './grid.js';
import { compareExact, squaredLength } from './exact.js';

// The distinct positions of a map's planets; build once per map.
export function createRouteIndex(map) {
  const order = Array.from({ length: map.count }, (_, i) => i);
  order.sort((a, b) => map.x[a] - map.x[b] || map.y[a] - map.y[b] || a - b);
  const px = [], py = [], first = [];
  const positionOf = new Int32Array(map.count);
  for (const planet of order) {
    const n = px.length;
    if (n === 0 || px[n - 1] !== map.x[planet] || py[n - 1] !== map.y[planet]) {
      px.push(map.x[planet]);
      py.push(map.y[planet]);
      first.push(planet);
    }
    positionOf[planet] = px.length - 1;
  }
  return { map, x: Int32Array.from(px), y: Int32Array.from(py), first: Int32Array.from(first), positionOf };
}

// A grid cell a quarter of a jump wide: a jump's box then spans a few cells,
// whatever the range; the grid itself stays within the map's extent.
function cellFor(range) {
  return Math.max(1, Math.ceil(range.reach / 4));
}

// Jumps from start to every position reached (-1 for the rest), stopping
// once stop is reached.
function jumpsFrom(index, start, range, stop) {
  const { x, y } = index;
  const jumps = new Int32Array(x.length).fill(-1);
  const grid = new TakingGrid(x, y, cellFor(range));
  grid.take(start);
  jumps[start] = 0;
  let frontier = [start];
  for (let depth = 1; frontier.length > 0 && jumps[stop] < 0; ++depth) {
    const next = [];
    for (const slot of frontier) {
      const first = next.length;
      grid.takeWithin(x[slot], y[slot], range, next);
      for (let i = first; i < next.length; ++i) jumps[next[i]] = depth;
      if (jumps[stop] >= 0) break;
    }
    frontier = next;
  }
  return jumps;
}

// One layer of positions: its slots with their coordinates, a grid over
// them, and once known the least length still to go from each.
function layerOf(index, slots, range) {
  const xs = Int32Array.from(slots, (s) => index.x[s]);
  const ys = Int32Array.from(slots, (s) => index.y[s]);
  return { slots, xs, ys, grid: buildGrid(xs, ys, null, cellFor(range)), cost: new Float64Array(slots.length) };
}

// Members of a layer within one jump of (x, y).
function forEachWithin(layer, range, x, y, visit) {
  forEachInRange(layer.grid, layer.xs, layer.ys, range, x, y, visit);
}

// The positions on some fewest-jump route, by the jump they are reached
// at: back from the goal, a layer keeps the positions of its jump that are
// one jump from a member of the next layer, each taken once off a grid of
// that jump's positions.
function layerSlots(index, range, jumps, start, goal) {
  const count = jumps[goal];
  const atJump = Array.from({ length: count }, () => []);
  for (let slot = 0; slot < jumps.length; ++slot) if (jumps[slot] > 0 && jumps[slot] < count) atJump[jumps[slot]].push(slot);
  const layers = new Array(count + 1);
  layers[0] = [start];
  layers[count] = [goal];
  for (let k = count - 1; k >= 1; --k) {
    const slots = atJump[k];
    const xs = Int32Array.from(slots, (s) => index.x[s]);
    const ys = Int32Array.from(slots, (s) => index.y[s]);
    const grid = new TakingGrid(xs, ys, cellFor(range));
    const taken = [];
    for (const slot of layers[k + 1]) {
      grid.takeWithin(index.x[slot], index.y[slot], range, taken);
    }
    layers[k] = taken.map((m) => slots[m]).sort((a, b) => a - b);
  }
  return layers;
}

// A first route by the straight-line rule, each step to the member of the
// next layer that looks shortest to the goal. Its length bounds the best
// route's, so only members within that length of start and goal together
// can lie on the best route (or one that ties with it).
function firstGuess(index, range, layers, goal) {
  const { x, y } = index;
  let total = 0;
  for (let k = 1, here = layers[0].slots[0]; k < layers.length; ++k) {
    let next = -1, best = Infinity;
    forEachWithin(layers[k], range, x[here], y[here], (m) => {
      const slot = layers[k].slots[m];
      const guess = mapDistance(x[here], y[here], x[slot], y[slot]) + mapDistance(x[slot], y[slot], x[goal], y[goal]);
      if (guess < best) best = guess, next = slot;
    });
    total += mapDistance(x[here], y[here], x[next], y[next]);
    here = next;
  }
  return total;
}

// Back from the goal, the layers left after the bound, each member with
// the least length still to go from it.
function layersBack(index, range, jumps, start, goal) {
  const { x, y } = index;
  const layers = layerSlots(index, range, jumps, start, goal).map((slots) => layerOf(index, slots, range));
  const limit = firstGuess(index, range, layers, goal) * (1 + 1e-9) + 1e-9;
  const through = (s) => mapDistance(x[start], y[start], x[s], y[s]) + mapDistance(x[s], y[s], x[goal], y[goal]);
  for (let k = layers.length - 2; k >= 1; --k) {
    const after = layers[k + 1];
    const kept = layers[k].slots.filter((slot) => through(slot) <= limit);
    layers[k] = layerOf(index, kept, range);
    kept.forEach((slot, i) => {
      let least = Infinity;
      forEachWithin(after, range, x[slot], y[slot], (m) => {
        const total = mapDistance(x[slot], y[slot], after.xs[m], after.ys[m]) + after.cost[m];
        if (total < least) least = total;
      });
      layers[k].cost[i] = least;
    });
  }
  return layers;
}

// Equal within a billionth: sums of the same lengths added in another order.
function ties(value, best) {
  return value <= best + 1e-9 * Math.max(1, best);
}

// Forward from the start, each step to the member that leaves the least in
// all; of equal ones, the one whose planet comes first.
function stopsForward(index, range, layers, planetAt) {
  const stops = [layers[0].slots[0]];
  for (let k = 1; k < layers.length; ++k) {
    const here = stops[stops.length - 1];
    const layer = layers[k];
    const steps = [];
    let best = Infinity;
    forEachWithin(layer, range, index.x[here], index.y[here], (m) => {
      const total = mapDistance(index.x[here], index.y[here], layer.xs[m], layer.ys[m]) + layer.cost[m];
      steps.push([layer.slots[m], total]);
      if (total < best) best = total;
    });
    let chosen = -1;
    for (const [slot, total] of steps) {
      if (ties(total, best) && (chosen < 0 || planetAt(slot) < planetAt(chosen))) chosen = slot;
    }
    stops.push(chosen);
  }
  return stops;
}

// The reachable position closest to the goal; of equal ones, the one whose
// planet comes first.
function notFound(index, jumps, start, goal, planetAt) {
  const { x, y } = index;
  let best = start;
  let bestSquared = squaredLength(x[start] - x[goal], y[start] - y[goal]);
  for (let slot = 0; slot < jumps.length; ++slot) {
    if (jumps[slot] < 0) continue;
    const d = squaredLength(x[slot] - x[goal], y[slot] - y[goal]);
    const order = compareExact(d, bestSquared);
    if (order < 0 || (order === 0 && planetAt(slot) < planetAt(best))) best = slot, bestSquared = d;
  }
  return {
    found: false, legs: [], length: 0, lightYears: 0,
    nearest: planetAt(best),
    nearestLength: mapDistance(x[best], y[best], x[goal], y[goal]),
    nearestLightYears: wholeLightYears(x[best], y[best], x[goal], y[goal]),
    leastTenths: 0,
  };
}

function foundRoute(index, stops, planetAt) {
  const { x, y } = index;
  const legs = [];
  let length = 0;
  for (let i = 1; i < stops.length; ++i) {
    const [a, b] = [stops[i - 1], stops[i]];
    const leg = { from: planetAt(a), to: planetAt(b), length: mapDistance(x[a], y[a], x[b], y[b]) };
    legs.push({ ...leg, lightYears: lightYearsOfLength(leg.length), tenths: tenthsOfLength(leg.length) });
    length += leg.length;
  }
  return routeOf(legs, length, index.map);
}

// The route's figures: its legs, their length summed in order; the total
// in tenths as the sum of the legs' tenths, so the figures shown add up;
// the first of the longest legs and the range in tenths that allows it.
function routeOf(legs, length, map) {
  let longest = -1;
  legs.forEach((leg, i) => {
    if (longest < 0 || leg.length > legs[longest].length) longest = i;
  });
  const [a, b] = longest < 0 ? [0, 0] : [legs[longest].from, legs[longest].to];
  return {
    found: true, legs, length, lightYears: lightYearsOfLength(length),
    tenths: legs.reduce((sum, leg) => sum + leg.tenths, 0),
    longest, longestTenthsToJump: longest < 0 ? 0 : tenthsToJump(map.x[a], map.y[a], map.x[b], map.y[b]),
    nearest: -1, nearestLength: 0, nearestLightYears: 0, leastTenths: 0,
  };
}

// The least range in tenths of a light year at which a route leads from
// planet from to planet to: the longest jump of the route whose longest
// jump is shortest, rounded up to a tenth, so that this range given back
// finds a route. 0 for planets at one position and for an index that
// names no planet. failing, when given, is a number of tenths known to
// find no route, which narrows the search.
export function leastRangeTenths(index, from, to, failing = -1) {
  const valid = (p) => Number.isInteger(p) && p >= 0 && p < index.map.count;
  if (!valid(from) || !valid(to)) return 0;
  const start = index.positionOf[from];
  const goal = index.positionOf[to];
  if (start === goal) return 0;
  const reaches = (tenths) => jumpsFrom(index, start, jumpRange(tenths * 100), goal)[goal] >= 0;
  // Reaching only grows with the range, and the straight jump reaches.
  // Below low nothing reaches, at high something does. First in growing
  // steps up from the failing range: the answer is mostly near it, and a
  // probe at a short range is cheap where one at a long range walks most
  // of the map. Then halve what is left.
  let low = Math.max(failing + 1, 0);
  let high = tenthsToJump(index.x[start], index.y[start], index.x[goal], index.y[goal]);
  for (let step = 1; low < high; step *= 2) {
    const probe = Math.min(low + step - 1, high - 1);
    if (reaches(probe)) {
      high = probe;
      break;
    }
    low = probe + 1;
  }
  while (low < high) {
    const middle = low + Math.trunc((high - low) / 2);
    if (reaches(middle)) high = middle;
    else low = middle + 1;
  }
  return high;
}

// The route from planet from to planet to (indices into the map), each
// jump allowed by range (jumpRange in lightyears.js). The result:
//   { found, legs: [{ from, to, length, lightYears, tenths }], length,
//     lightYears, tenths, longest, longestTenthsToJump,
//     nearest, nearestLength, nearestLightYears, leastTenths }
// lengths in map units, unrounded; light years whole, as measure lines
// count them (the total from the legs' summed length); tenths of a light
// year cut as the tooltip cuts them, the total being the sum of the legs'
// tenths. longest is the index of the first longest leg (-1 without legs)
// and longestTenthsToJump the least range in tenths that allows it. With
// no route, nearest is the planet closest to the goal that the start can
// reach (the start itself when no jump leads anywhere) and its distance
// from the goal, and leastTenths the least range that finds a route
// (leastRangeTenths). An index that names no planet gives no route,
// nearest -1 and leastTenths 0.
export function findRoute(index, from, to, range) {
  const valid = (p) => Number.isInteger(p) && p >= 0 && p < index.map.count;
  if (!valid(from) || !valid(to)) return { ...routeOf([], 0, index.map), found: false };
  if (from === to) return routeOf([], 0, index.map);
  const start = index.positionOf[from];
  const goal = index.positionOf[to];
  if (start === goal) return routeOf([{ from, to, length: 0, lightYears: 0, tenths: 0 }], 0, index.map);
  const planetAt = (slot) => (slot === start ? from : slot === goal ? to : index.first[slot]);
  const jumps = jumpsFrom(index, start, range, goal);
  if (jumps[goal] < 0) {
    const failing = Math.trunc(range.thousandths / 100);
    return { ...notFound(index, jumps, start, goal, planetAt), leastTenths: leastRangeTenths(index, from, to, failing) };
  }
  const layers = layersBack(index, range, jumps, start, goal);
  return foundRoute(index, stopsForward(index, range, layers, planetAt), planetAt);
}
