// SPDX-License-Identifier: MIT
import { test } from 'node:test';
import assert from 'node:assert/strict';

import { mapsOf, readTable } from './cases.js';
import { createSuggestionIndex, findPlanetIndex, suggest, suggestNames } from '../../js/rules/suggest.js';

const table = readTable('suggest.json');
const maps = mapsOf(table);

test('suggestions come in the viewer\'s groups and order, for every typed text of the table', () => {
  const indices = Object.fromEntries(Object.entries(maps).map(([name, map]) => [name, createSuggestionIndex(map)]));
  for (const c of table.cases) {
    assert.deepEqual(suggest(indices[c.map], c.typed), c.planets, JSON.stringify(c));
    assert.deepEqual(suggestNames(indices[c.map], c.typed), c.names, JSON.stringify(c));
  }
});

test('the exact lookup finds the first planet of that name, byte for byte in the map\'s encoding', () => {
  for (const c of table.cases) assert.equal(findPlanetIndex(maps[c.map], c.typed), c.exact, JSON.stringify(c));
});

test('the table covers what the rules must get right', () => {
  const cases = table.cases;
  assert.ok(cases.some((c) => c.planets.length === 12), 'a text with more than 12 matches');
  assert.ok(cases.some((c) => c.map === 'latin1' && c.planets.length > 0), 'a Windows-1252 map');
  assert.ok(cases.some((c) => c.map === 'letters' && c.planets.length > 1), 'letters outside ASCII');
  assert.ok(cases.some((c) => c.typed === '' && c.planets.length === 0), 'empty text');
});

test('a smaller limit keeps the best of the same order', () => {
  const index = createSuggestionIndex(maps.names);
  assert.deepEqual(suggest(index, 'ar', 3), suggest(index, 'ar').slice(0, 3));
  assert.deepEqual(suggest(index, 'ar', 0), []);
});
