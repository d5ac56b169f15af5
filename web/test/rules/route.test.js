import { test } from 'node:test';
import assert from 'node:assert/strict';

import { mapsOf, readTable } from './cases.js';
import { allows, jumpRange, mapDistance, parseRange } from '../../js/rules/lightyears.js';
import { createRouteIndex, findRoute } from '../../js/rules/route.js';
import { findPlanetIndex } from '../../js/rules/suggest.js';

const table = readTable('route.json');
const maps = mapsOf(table);

test('routes take the same planets as the viewer\'s route finder, for every case of the table', () => {
  const indices = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createRouteIndex(map)]));
  for (const c of table.cases) {
    const map = maps[c.map];
    const from = findPlanetIndex(map, c.from), to = findPlanetIndex(map, c.to);
    if (c.unknown) {
      assert.ok(from < 0 || to < 0, JSON.stringify(c));
      continue;
    }
    const route = findRoute(indices[c.map], from, to, jumpRange(parseRange(c.range)));
    assert.equal(route.found, c.found, JSON.stringify(c));
    if (!c.found) {
      assert.deepEqual([route.nearest, route.nearestLightYears], [c.nearest, c.nearestLightYears], JSON.stringify(c));
      continue;
    }
    assert.deepEqual(route.legs.map((l) => [l.from, l.to, l.lightYears]), c.legs, JSON.stringify(c));
    assert.equal(route.lightYears, c.lightYears, JSON.stringify(c));
  }
});

test('the table covers ties, stacked planets and no route', () => {
  assert.ok(table.cases.some((c) => c.map === 'lattice' && c.found && c.legs.length > 5));
  assert.ok(table.cases.some((c) => c.found && c.legs.some((l) => l[2] === 0)));
  assert.ok(table.cases.some((c) => c.found === false));
});

// Jumps from the start to each planet, by looking at every pair.
function pairJumps(map, from, range) {
  const jumps = new Array(map.count).fill(-1);
  jumps[from] = 0;
  for (let frontier = [from], depth = 1; frontier.length > 0; ++depth) {
    const next = [];
    for (const a of frontier) {
      for (let b = 0; b < map.count; ++b) {
        if (jumps[b] < 0 && allows(range, map.x[a], map.y[a], map.x[b], map.y[b])) jumps[b] = depth, next.push(b);
      }
    }
    frontier = next;
  }
  return jumps;
}

test('on random maps a route has the fewest jumps, each within range, or there is none', () => {
  let seed = 11;
  const rand = (n) => (seed = (seed * 48271) % 2147483647) % n;
  for (let round = 0; round < 40; ++round) {
    const count = 30 + rand(120);
    const x = Int32Array.from({ length: count }, () => (rand(200) - 100) * 10);
    const y = Int32Array.from({ length: count }, () => (rand(200) - 100) * 10);
    const map = { count, x, y };
    const range = jumpRange(1000 * (5 + rand(30)));
    const [from, to] = [rand(count), rand(count)];
    const route = findRoute(createRouteIndex(map), from, to, range);
    const jumps = pairJumps(map, from, range);
    const sameSpot = x[from] === x[to] && y[from] === y[to];
    assert.equal(route.found, jumps[to] >= 0, JSON.stringify({ round, from, to }));
    if (!route.found || sameSpot) continue;
    assert.equal(route.legs.length, jumps[to], JSON.stringify({ round, from, to }));
    assert.equal(route.legs[0].from, from);
    assert.equal(route.legs[route.legs.length - 1].to, to);
    for (const leg of route.legs) assert.ok(allows(range, x[leg.from], y[leg.from], x[leg.to], y[leg.to]));
    const sum = route.legs.reduce((s, l) => s + mapDistance(x[l.from], y[l.from], x[l.to], y[l.to]), 0);
    assert.ok(Math.abs(sum - route.length) < 1e-6);
  }
});

test('names no planet has, and indices out of range, give no route', () => {
  const index = createRouteIndex(maps.diamond);
  const route = findRoute(index, 0, maps.diamond.count, jumpRange(50000));
  assert.equal(route.found, false);
  assert.equal(route.nearest, -1);
});
