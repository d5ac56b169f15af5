// SPDX-License-Identifier: MIT
// The page's mapping against the viewer's, on the shared table, and the
// page's own view changes: zoom around a point, drag.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { Viewport, mulDivRound, FULL_EXTENT } from '../../js/viewport.js';

const table = JSON.parse(readFileSync(new URL('../../../tests/web-cases/mapping.json', import.meta.url)));

test('the mapping table holds for every size, zoom and centre', () => {
  assert.ok(table.cases.length > 100);
  for (const c of table.cases) {
    const v = new Viewport(c.zoom, c.center, c.size);
    for (const [x, y, dx, dy] of c.toDevice) assert.deepEqual([v.deviceX(x), v.deviceY(y)], [dx, dy], JSON.stringify(c.size.concat(c.zoom, c.center, [x, y])));
    for (const [dx, dy, x, y] of c.toMap) assert.deepEqual(v.toMap(dx, dy), [x, y], JSON.stringify(c.size.concat(c.zoom, c.center, [dx, dy])));
  }
});

test('rounding is to the nearest, halves away from zero', () => {
  assert.equal(mulDivRound(5, 1, 2), 3);
  assert.equal(mulDivRound(-5, 1, 2), -3);
  assert.equal(mulDivRound(7, 1, 3), 2);
  assert.equal(mulDivRound(-7, 1, 3), -2);
  assert.equal(mulDivRound(3, 4, -5), -2);
  assert.ok(Object.is(mulDivRound(-1, 1, 3), 0), 'no negative zero');
});

test('zooming keeps the map point under the pointer', () => {
  let v = new Viewport([FULL_EXTENT, FULL_EXTENT], [0, 0], [1280, 800]);
  for (const [factor, px, py] of [[0.5, 100, 700], [Math.SQRT1_2, 1279, 0], [0.25, 640, 400], [2, 3, 5], [0.5, 900, 450]]) {
    const before = v.toMap(px, py);
    v = v.zoomedAt(factor, px, py);
    const after = v.toMap(px, py);
    // Whole map units: the point may move by less than one device pixel.
    const tolerance = Math.ceil(v.den / v.num);
    assert.ok(Math.abs(after[0] - before[0]) <= tolerance && Math.abs(after[1] - before[1]) <= tolerance, `${before} -> ${after}`);
  }
  const deep = new Viewport([1, 1], [7, 7], [800, 600]).zoomedAt(0.5, 10, 10);
  assert.deepEqual(deep.zoom, [1, 1], 'never below one map unit');
  const far = new Viewport([12000, 12000], [0, 0], [800, 600]).zoomedAt(2, 400, 300);
  assert.deepEqual(far.zoom, [FULL_EXTENT, FULL_EXTENT], 'never beyond the full extent');
});

test('a drag moves the centre by the drag in map units', () => {
  const v = new Viewport([1250, 1250], [300, -400], [1000, 500]);  // 0.4 px per unit
  const d = v.dragged([100, 100], [140, 80]);
  assert.deepEqual(d.center, [300 - 100, -400 + 50]);
  assert.deepEqual(d.toMap(140, 80), v.toMap(100, 100));
});
