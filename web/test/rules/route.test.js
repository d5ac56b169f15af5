// SPDX-License-Identifier: MIT
import { test } from 'node:test';
import assert from 'node:assert/strict';

import { mapsOf, readTable } from './cases.js';
import { allows, jumpRange, mapDistance, parseRange, tenthsToJump } from '../../js/rules/lightyears.js';
import { createRouteIndex, findRoute, leastRangeTenths } from '../../js/rules/route.js';
import { TERMINAL, noRouteText, routeLines, unknownNameText } from '../../js/rules/routetext.js';
import { createSuggestionIndex, findPlanetIndex, suggest } from '../../js/rules/suggest.js';

const table = readTable('route.json');
const maps = mapsOf(table);

test('routes take the same planets as the viewer\'s route finder, for every case of the table', () => {
  const indices = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createRouteIndex(map)]));
  for (const c of table.cases) {
    if (c.found === undefined && !c.unknown) continue; // pinned by its text alone
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

// What kestrin-render --route gives for a case, from the page's own rules.
function commandText(indices, suggestions, c) {
  const map = maps[c.map];
  const from = findPlanetIndex(map, c.from), to = findPlanetIndex(map, c.to);
  for (const [planet, typed] of [[from, c.from], [to, c.to]]) {
    if (planet < 0) {
      const text = unknownNameText(map, typed, suggest(suggestions[c.map], typed, 3), TERMINAL);
      return { status: 2, stdout: '', stderr: `kestrin-render: ${text}\n` };
    }
  }
  const thousandths = parseRange(c.range);
  const route = findRoute(indices[c.map], from, to, jumpRange(thousandths));
  if (!route.found) {
    const text = noRouteText(map, route, c.from, c.to, to, thousandths, TERMINAL);
    return { status: 1, stdout: '', stderr: `kestrin-render: ${text}\n` };
  }
  return { status: 0, stdout: routeLines(map, route, TERMINAL).map((line) => `${line}\n`).join(''), stderr: '' };
}

test('route text is the command\'s, byte for byte, for every case of the table', () => {
  const indices = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createRouteIndex(map)]));
  const suggestions = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createSuggestionIndex(map)]));
  for (const c of table.cases) {
    assert.deepEqual(commandText(indices, suggestions, c), { status: c.status, stdout: c.stdout, stderr: c.stderr }, JSON.stringify(c));
  }
  // Every kind of answer is pinned, the least range among them.
  assert.ok(table.cases.filter((c) => c.status === 0).length >= 50);
  assert.ok(table.cases.filter((c) => c.status === 1 && /--jump [0-9]+\.[1-9] finds one/.test(c.stderr)).length >= 3);
  assert.ok(table.cases.some((c) => c.status === 2 && c.stderr.includes('did you mean')));
});

// The least range by every pair: the widest jump on the best path of a
// complete graph, grown from the start one narrowest jump at a time.
function pairLeastTenths(map, from, to) {
  const tenths = (a, b) => tenthsToJump(map.x[a], map.y[a], map.x[b], map.y[b]);
  const best = new Array(map.count).fill(Infinity);
  const done = new Array(map.count).fill(false);
  best[from] = 0;
  for (;;) {
    let here = -1;
    for (let p = 0; p < map.count; ++p) if (!done[p] && (here < 0 || best[p] < best[here])) here = p;
    if (here === to) return best[to];
    done[here] = true;
    for (let p = 0; p < map.count; ++p) if (!done[p]) best[p] = Math.min(best[p], Math.max(best[here], tenths(here, p)));
  }
}

test('the least range is the narrowest widest jump, and finds a route while a tenth less does not', () => {
  let seed = 23;
  const rand = (n) => (seed = (seed * 48271) % 2147483647) % n;
  for (let round = 0; round < 40; ++round) {
    const count = 20 + rand(80);
    const x = Int32Array.from({ length: count }, () => (rand(400) - 200) * 7);
    const y = Int32Array.from({ length: count }, () => (rand(400) - 200) * 3);
    const map = { count, x, y };
    const index = createRouteIndex(map);
    const [from, to] = [rand(count), rand(count)];
    const least = leastRangeTenths(index, from, to);
    const shown = JSON.stringify({ round, from, to, least });
    assert.equal(least, pairLeastTenths(map, from, to), shown);
    assert.equal(findRoute(index, from, to, jumpRange(least * 100)).found, true, shown);
    if (least > 0) {
      assert.equal(findRoute(index, from, to, jumpRange((least - 1) * 100)).found, false, shown);
      const none = findRoute(index, from, to, jumpRange(Math.max(0, least - 1 - rand(least)) * 100));
      assert.equal(none.leastTenths, least, shown);
    }
  }
});

test('a jump rounds up to the tenth that allows it, past 2^53 squared too', () => {
  // 20 map units a light year: 2 map units a tenth.
  assert.equal(tenthsToJump(0, 0, 0, 0), 0);
  assert.equal(tenthsToJump(0, 0, 2, 0), 1);
  assert.equal(tenthsToJump(0, 0, 3, 0), 2);
  assert.equal(tenthsToJump(0, 0, 100, 50), 56);
  const far = [-21474830, 0, 21474830, 0];
  assert.equal(tenthsToJump(...far), 21474830);
  for (const [ax, ay, bx, by] of [far, [0, 21474830, -21474830, 0], [5, -7, 1e9 + 3, 2e9 - 11]]) {
    const t = tenthsToJump(ax, ay, bx, by);
    assert.equal(allows(jumpRange(t * 100), ax, ay, bx, by), true);
    assert.equal(allows(jumpRange(t * 100 - 100), ax, ay, bx, by), false);
  }
});
