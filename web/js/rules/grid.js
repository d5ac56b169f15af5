// SPDX-License-Identifier: MIT
import { allows } from './lightyears.js';
import { EXACT_LIMIT } from './exact.js';

// A uniform grid over points, for "which points lie in this box" without
// looking at every point. Each cell lists its points in the order given,
// so a scan of the cells in any order can still settle ties by that order.

// xs, ys: integer coordinates (map units); ids: what each point stands for
// (defaults to its position in xs). cellSize: map units per cell, or 0 to
// pick one that puts about two points in a cell.
export function buildGrid(xs, ys, ids = null, cellSize = 0) {
  const count = xs.length;
  let minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
  for (let i = 0; i < count; ++i) {
    minX = Math.min(minX, xs[i]); maxX = Math.max(maxX, xs[i]);
    minY = Math.min(minY, ys[i]); maxY = Math.max(maxY, ys[i]);
  }
  if (count === 0) minX = minY = maxX = maxY = 0;
  const span = Math.max(maxX - minX, maxY - minY) + 1;
  const size = cellSize > 0 ? cellSize : Math.max(1, Math.ceil(span / Math.max(1, Math.ceil(Math.sqrt(count / 2)))));
  // At most about 4 cells per point across: a small range over a wide map
  // must not make a grid larger than the map.
  const limit = Math.max(1, Math.ceil(Math.sqrt(count * 4)));
  const cell = Math.max(size, Math.ceil(span / limit));
  const columns = Math.floor((maxX - minX) / cell) + 1;
  const rows = Math.floor((maxY - minY) / cell) + 1;
  const start = new Uint32Array(columns * rows + 1);
  const cellOf = new Uint32Array(count);
  for (let i = 0; i < count; ++i) {
    cellOf[i] = Math.floor((ys[i] - minY) / cell) * columns + Math.floor((xs[i] - minX) / cell);
    ++start[cellOf[i] + 1];
  }
  for (let c = 0; c < columns * rows; ++c) start[c + 1] += start[c];
  const items = new Int32Array(count);
  const fill = start.slice(0, columns * rows);
  for (let i = 0; i < count; ++i) items[fill[cellOf[i]]++] = ids === null ? i : ids[i];
  return { minX, minY, cell, columns, rows, start, items, count };
}

// Calls visit(id) for every point in a cell that meets the box
// [left, right] x [top, bottom] (map units, any numbers); points outside
// the box but in such a cell are visited too.
export function forEachInBox(grid, left, top, right, bottom, visit) {
  if (grid.count === 0) return;
  const c0 = Math.max(0, Math.floor((left - grid.minX) / grid.cell));
  const c1 = Math.min(grid.columns - 1, Math.floor((right - grid.minX) / grid.cell));
  const r0 = Math.max(0, Math.floor((top - grid.minY) / grid.cell));
  const r1 = Math.min(grid.rows - 1, Math.floor((bottom - grid.minY) / grid.cell));
  for (let r = r0; r <= r1; ++r) {
    for (let c = c0; c <= c1; ++c) {
      const cell = r * grid.columns + c;
      for (let k = grid.start[cell]; k < grid.start[cell + 1]; ++k) visit(grid.items[k]);
    }
  }
}

// How a cell of the grid lies against the disc of one jump of range
// around (x, y): NONE outside it, WHOLE inside it, PART otherwise. Cell c
// of a row spans minX + c cell to minX + (c + 1) cell - 1, sides included.
const NONE = 0, PART = 1, WHOLE = 2;

function overlap(grid, row, column, x, y, range) {
  const left = grid.minX + column * grid.cell, right = left + grid.cell - 1;
  const top = grid.minY + row * grid.cell, bottom = top + grid.cell - 1;
  const nx = x < left ? left - x : x > right ? x - right : 0;
  const ny = y < top ? top - y : y > bottom ? y - bottom : 0;
  if (!within(range, nx, ny)) return NONE;
  const fx = Math.max(Math.abs(x - left), Math.abs(x - right));
  const fy = Math.max(Math.abs(y - top), Math.abs(y - bottom));
  return within(range, fx, fy) ? WHOLE : PART;
}

// allows() for an offset (dx, dy), in the common case without a call.
function within(range, dx, dy) {
  const square = dx * dx + dy * dy;
  return square < EXACT_LIMIT ? square <= range.quick : allows(range, dx, dy, 0, 0);
}

// Calls visit(cell, whole) for every cell that meets the disc of one jump
// of range (lightyears.js) around (x, y).
function forEachCellInRange(grid, x, y, range, visit) {
  if (grid.count === 0) return;
  const r = range.reach;
  const c0 = Math.max(0, Math.floor((x - r - grid.minX) / grid.cell));
  const c1 = Math.min(grid.columns - 1, Math.floor((x + r - grid.minX) / grid.cell));
  const r0 = Math.max(0, Math.floor((y - r - grid.minY) / grid.cell));
  const r1 = Math.min(grid.rows - 1, Math.floor((y + r - grid.minY) / grid.cell));
  for (let row = r0; row <= r1; ++row) {
    for (let c = c0; c <= c1; ++c) {
      const how = overlap(grid, row, c, x, y, range);
      if (how !== NONE) visit(row * grid.columns + c, how === WHOLE);
    }
  }
}

// Calls visit(id) for every point within one jump of range of (x, y).
export function forEachInRange(grid, xs, ys, range, x, y, visit) {
  forEachCellInRange(grid, x, y, range, (cell, whole) => {
    for (let k = grid.start[cell]; k < grid.start[cell + 1]; ++k) {
      const id = grid.items[k];
      if (whole || within(range, x - xs[id], y - ys[id])) visit(id);
    }
  });
}

// A grid from which points are taken as a search reaches them: each
// question "which points still here lie within range of (x, y)" walks only
// the points not yet taken, so a breadth-first search over all points
// looks at each pair of near points about once instead of once per visit.
export class TakingGrid {
  // xs, ys: coordinates of the points 0..n-1; cellSize in map units.
  constructor(xs, ys, cellSize) {
    this.grid = buildGrid(xs, ys, null, cellSize);
    this.xs = xs;
    this.ys = ys;
    this.live = this.grid.start.slice(1);  // per cell: where its untaken points end
    this.at = new Int32Array(xs.length);   // where each point sits in grid.items
    for (let k = 0; k < xs.length; ++k) this.at[this.grid.items[k]] = k;
    this.taken = new Uint8Array(xs.length);
  }

  take(point) {
    if (this.taken[point]) return;
    this.taken[point] = 1;
    const g = this.grid;
    const cell = Math.floor((this.ys[point] - g.minY) / g.cell) * g.columns + Math.floor((this.xs[point] - g.minX) / g.cell);
    const last = --this.live[cell];
    const other = g.items[last];
    g.items[this.at[point]] = other;
    this.at[other] = this.at[point];
    g.items[last] = point;
    this.at[point] = last;
  }

  // Takes every untaken point within one jump of range of (x, y),
  // appending them to out. Cells already emptied cost one comparison.
  takeWithin(x, y, range, out) {
    const first = out.length;
    const { grid, live, xs, ys } = this;
    if (grid.count === 0) return;
    const r = range.reach;
    const c0 = Math.max(0, Math.floor((x - r - grid.minX) / grid.cell));
    const c1 = Math.min(grid.columns - 1, Math.floor((x + r - grid.minX) / grid.cell));
    const r0 = Math.max(0, Math.floor((y - r - grid.minY) / grid.cell));
    const r1 = Math.min(grid.rows - 1, Math.floor((y + r - grid.minY) / grid.cell));
    for (let row = r0; row <= r1; ++row) {
      for (let c = c0; c <= c1; ++c) {
        const cell = row * grid.columns + c;
        if (live[cell] === grid.start[cell]) continue;
        const how = overlap(grid, row, c, x, y, range);
        if (how === NONE) continue;
        for (let k = grid.start[cell]; k < live[cell]; ++k) {
          const id = grid.items[k];
          if (how === WHOLE || within(range, x - xs[id], y - ys[id])) out.push(id);
        }
      }
    }
    for (let i = first; i < out.length; ++i) this.take(out[i]);
  }
}
