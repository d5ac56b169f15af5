// SPDX-License-Identifier: MIT
// The page's rasteriser against the viewer's surface, on the shared table
// of shapes (tests/web-cases/shapes.json, whose pixels the C++ test draws
// with the surface itself): outlines of every small size, partly off the
// target and far larger than it, dots, and lines of every slope, reversed,
// clipped and of no length.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { ellipseBox, fillBox, line, makeTarget } from '../../js/raster.js';

const table = JSON.parse(readFileSync(new URL('../../../tests/web-cases/shapes.json', import.meta.url)));
const WHITE = 0xffffffff;

function pixelsOf(t) {
  const out = [];
  for (let y = 0; y < t.height; ++y) for (let x = 0; x < t.width; ++x) if (t.pixels[y * t.width + x]) out.push(x, y);
  return out;
}

test('every shape of the table lands on the surface\'s pixels', () => {
  assert.ok(table.cases.length > 80);
  for (const c of table.cases) {
    const t = makeTarget(table.width, table.height);
    if (c.ellipse) {
      const [l, tp, r, b] = c.ellipse;
      ellipseBox(t, Math.min(l, r), Math.min(tp, b), Math.max(l, r), Math.max(tp, b), WHITE);
    } else {
      line(t, ...c.line, WHITE);
    }
    assert.deepEqual(pixelsOf(t), c.pixels, JSON.stringify(c.ellipse ?? c.line));
  }
});

test('a cell fills from the nearest pixel edges', () => {
  const t = makeTarget(10, 10);
  fillBox(t, 2, 3, 4.49, 4.5, WHITE);
  assert.deepEqual(pixelsOf(t), [2, 3, 3, 3, 2, 4, 3, 4], 'halves round up');
  const u = makeTarget(10, 10);
  fillBox(u, -3, 8, 1.5, 20, WHITE);
  assert.deepEqual(pixelsOf(u), [0, 8, 1, 8, 0, 9, 1, 9], 'clipped to the target');
});
