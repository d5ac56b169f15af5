// SPDX-License-Identifier: MIT
import { test } from 'node:test';
import assert from 'node:assert/strict';

import { readTable } from './cases.js';
import { allows, jumpRange, lightYearsLabel, parseRange, rangeText, wholeLightYears } from '../../js/rules/lightyears.js';

const table = readTable('lightyears.json');

test('whole light years between two points are counted as measure lines count them', () => {
  for (const c of table.lengths) {
    assert.equal(wholeLightYears(c.a[0], c.a[1], c.b[0], c.b[1]), c.lightYears, JSON.stringify(c));
    assert.equal(wholeLightYears(c.b[0], c.b[1], c.a[0], c.a[1]), c.lightYears, JSON.stringify(c));
  }
  assert.equal(lightYearsLabel(31), '31 Light Years');
});

test('jump ranges read as typed, and read back the same way', () => {
  for (const c of table.ranges) {
    assert.equal(parseRange(c.text), c.thousandths, JSON.stringify(c));
    if (c.thousandths !== null) assert.equal(rangeText(c.thousandths), c.shown, JSON.stringify(c));
  }
});

test('a jump exactly as long as the range is allowed, one map unit more is not', () => {
  for (const c of table.jumps) {
    const range = jumpRange(parseRange(c.range));
    assert.equal(allows(range, c.a[0], c.a[1], c.b[0], c.b[1]), c.allowed, JSON.stringify(c));
    assert.equal(allows(range, c.b[0], c.b[1], c.a[0], c.a[1]), c.allowed, JSON.stringify(c));
  }
});
