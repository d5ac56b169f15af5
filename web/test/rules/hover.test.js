// SPDX-License-Identifier: MIT
import { test } from 'node:test';
import assert from 'node:assert/strict';

import { mapsOf, readTable } from './cases.js';
import { createHoverIndex, hoverDisc, hoverLine, hoverLines, hoverText, planetsUnder } from '../../js/rules/hover.js';

const table = readTable('hover.json');
const maps = mapsOf(table, table.legend);

test('the tip under the pointer reads as the window\'s, for every case of the table', () => {
  const indices = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createHoverIndex(map)]));
  for (const c of table.cases) {
    assert.equal(hoverText(indices[c.map], c.mapping, c.client[0], c.client[1]), c.text, JSON.stringify(c));
  }
  const crowded = table.cases.find((c) => /\nand \d+ more$/.test(c.text));
  assert.ok(crowded, 'a case with more than five planets under the pointer');
  assert.equal(hoverLines(indices[crowded.map], crowded.mapping, ...crowded.client).length, 6);
});

test('a planet\'s line gives its file position and its distance cut to one decimal', () => {
  for (const c of table.lines) {
    const [name, x, y, code] = c.planet;
    const legendName = table.legend.find((r) => r.code === code)?.name ?? null;
    const map = { count: 1, x: [x], y: [y], code: [0], codes: [{ code, legendName }], names: [name] };
    assert.equal(hoverLine(map, 0), c.line, JSON.stringify(c));
  }
});

// Every planet against the exact disc, one by one: the grid must find the
// same planets in the same order.
function everyPlanet(map, mapping, cx, cy) {
  const disc = hoverDisc(mapping, cx, cy);
  const [x, y, r, s] = [disc.x, disc.y, disc.radius, disc.scale].map(BigInt);
  const found = [];
  for (let i = 0; i < map.count; ++i) {
    const ox = BigInt(map.x[i]) * s - x, oy = BigInt(map.y[i]) * s - y;
    const d = ox * ox + oy * oy;
    if (d <= r * r) found.push([d, i]);
  }
  found.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : a[1] - b[1]));
  return { nearest: found.slice(0, 5).map((f) => f[1]), more: Math.max(0, found.length - 5) };
}

test('the grid finds what a look at every planet finds, at every zoom', () => {
  const map = maps.clusters;
  const index = createHoverIndex(map);
  let seed = 7;
  const rand = (n) => (seed = (seed * 48271) % 2147483647) % n;
  let hits = 0;
  for (const zoom of [1, 7, 50, 400, 3000, 12500, 100000, 2000000000]) {
    const mapping = { scaleX: { num: 800, den: zoom }, scaleY: { num: 800, den: zoom }, viewportOrg: { x: 640, y: 400 }, windowOrg: { x: 0, y: 0 } };
    for (let k = 0; k < 60; ++k) {
      const p = rand(map.count);
      mapping.windowOrg = { x: map.x[p] + rand(40) - 20, y: map.y[p] + rand(40) - 20 };
      const [cx, cy] = [640 + rand(17) - 8, 400 + rand(17) - 8];
      const expected = everyPlanet(map, mapping, cx, cy);
      assert.deepEqual(planetsUnder(index, mapping, cx, cy), expected, JSON.stringify({ zoom, mapping, cx, cy }));
      hits += expected.nearest.length > 0;
    }
  }
  assert.ok(hits > 100);
});

test('an empty map has nothing under the pointer', () => {
  const empty = { count: 0, x: new Int32Array(0), y: new Int32Array(0), code: new Uint16Array(0), codes: [], names: [] };
  const mapping = { scaleX: { num: 800, den: 12500 }, scaleY: { num: 800, den: 12500 }, viewportOrg: { x: 400, y: 300 }, windowOrg: { x: 0, y: 0 } };
  assert.equal(hoverText(createHoverIndex(empty), mapping, 400, 300), '');
});
