// SPDX-License-Identifier: MIT
// Shapes written straight into pixel memory, on exactly the pixels the
// viewer's own surface gives them, so that the page and a rendered picture
// of the same view agree pixel for pixel:
// - an ellipse's box runs from the device pixel of its left/top corner up
//   to, not including, that of its right/bottom corner; a box under two
//   pixels across or down is one dot, in its first column and its last
//   row; other outlines are traced by the integer midpoint rule over the
//   box's inner size, four mirrored runs per step; outlines more than 16384
//   pixels across are the points where the curve crosses each device row
//   and column;
// - a line is clipped to the device with four pixels to spare, then to one
//   pixel beyond it, and stepped along its longer axis in 26.6 fixed point
//   from pixel centre to pixel centre, leaving out its last pixel; a line
//   that ends where it starts draws nothing;
// - a text's cell is filled from the nearest pixel edge of its left/top
//   to that of its right/bottom.
// A target is { pixels: Uint32Array (0xAABBGGRR), width, height }.

const DOT_SHAPE = 2;
const HUGE_SHAPE = 16384;
const CLIP_MARGIN = 4;

export function rgbaWord(r, g, b) {
  return (0xff000000 | (b << 16) | (g << 8) | r) >>> 0;
}

export function makeTarget(width, height) {
  return { pixels: new Uint32Array(width * height), width, height };
}

export function plot(t, x, y, color) {
  if (x >= 0 && y >= 0 && x < t.width && y < t.height) t.pixels[y * t.width + x] = color;
}

// A run of len pixels from (x, y) rightward, clipped to the target.
function run(t, x, y, len, color) {
  if (y < 0 || y >= t.height || len <= 0) return;
  const from = Math.max(x, 0);
  const to = Math.min(x + len, t.width);
  if (from >= to) return;
  const row = y * t.width;
  // A typed array's fill costs more than a short loop for the few pixels
  // of most runs.
  if (to - from > 16) t.pixels.fill(color, row + from, row + to);
  else for (let i = row + from; i < row + to; ++i) t.pixels[i] = color;
}

// The four mirrored runs of one midpoint step, (x, y) counted from the
// middle of the rectangle left, top, w, h (inner size).
function ellipseRuns(t, x, y, len, rect, color) {
  if (len === 0) return;
  const { left, top, w, h } = rect;
  const midx = left + Math.trunc((w + 1) / 2);
  const midy = top + Math.trunc((h + 1) / 2);
  const px = x + midx;
  const py = midy - y;
  const leftX = midx + (midx - px) - (len - 1) - (w & 1);
  const leftLen = Math.min(len, px - leftX);
  const lowY = midy + (midy - py) - (h & 1);
  run(t, leftX, py, leftLen, color);
  run(t, px, py, len, color);
  if (py >= lowY) return;
  run(t, leftX, lowY, leftLen, color);
  run(t, px, lowY, len, color);
}

// The midpoint outline of the rectangle (left, top) of inner size w x h;
// the arithmetic is in doubles, in the order that gives the same roundings.
function midpointEllipse(t, left, top, w, h, color) {
  const rect = { left, top, w, h };
  const a = w / 2;
  const b = h / 2;
  let d = b * b - (a * a * b) + 0.25 * a * a;
  let x = 0;
  let y = Math.trunc((h + 1) / 2);
  let startx = x;
  while (a * a * (2 * y - 1) > 2 * b * b * (x + 1)) {
    if (d < 0) {
      d += b * b * (2 * x + 3);
      ++x;
    } else {
      d += b * b * (2 * x + 3) + a * a * (-2 * y + 2);
      ellipseRuns(t, startx, y, x - startx + 1, rect, color);
      startx = ++x;
      --y;
    }
  }
  ellipseRuns(t, startx, y, x - startx + 1, rect, color);
  d = b * b * (x + 0.5) * (x + 0.5) + a * a * ((y - 1) * (y - 1) - b * b);
  const miny = h & 1;
  while (y > miny) {
    if (d < 0) {
      d += b * b * (2 * x + 2) + a * a * (-2 * y + 3);
      ++x;
    } else {
      d += a * a * (-2 * y + 3);
    }
    --y;
    ellipseRuns(t, x, y, 1, rect, color);
  }
}

// Rounds halves away from zero.
function roundAway(v) {
  return v < 0 ? -Math.round(-v) : Math.round(v);
}

// An outline far larger than the target, by where it crosses each row and
// column of the target.
function hugeEllipse(t, cx, cy, rx, ry, color) {
  for (let x = 0; x < t.width; ++x) {
    const u = (x - cx) / rx;
    if (u * u > 1.0) continue;
    const dy = ry * Math.sqrt(1.0 - u * u);
    plot(t, roundAway(x), roundAway(cy - dy), color);
    plot(t, roundAway(x), roundAway(cy + dy), color);
  }
  for (let y = 0; y < t.height; ++y) {
    const v = (y - cy) / ry;
    if (v * v > 1.0) continue;
    const dx = rx * Math.sqrt(1.0 - v * v);
    plot(t, roundAway(cx - dx), roundAway(y), color);
    plot(t, roundAway(cx + dx), roundAway(y), color);
  }
}

// A hollow ellipse in the device box (corners already normalised).
export function ellipseBox(t, left, top, right, bottom, color) {
  if (right < -1 || bottom < -1 || left > t.width + 1 || top > t.height + 1) return;
  const w = right - left;
  const h = bottom - top;
  if (w < DOT_SHAPE || h < DOT_SHAPE) {
    plot(t, left, bottom - 1, color);
    return;
  }
  if (w > HUGE_SHAPE || h > HUGE_SHAPE) {
    const rx = (w - 1) / 2;
    const ry = (h - 1) / 2;
    hugeEllipse(t, left + rx, top + ry, rx, ry, color);
    return;
  }
  midpointEllipse(t, left, top, w - 1, h - 1, color);
}

// Clips a segment to [lo, hi] on both axes (parametric); null when none
// of it is inside.
function clipSegment(s, loX, loY, hiX, hiY) {
  let t0 = 0.0;
  let t1 = 1.0;
  const dx = s[2] - s[0];
  const dy = s[3] - s[1];
  const p = [-dx, dx, -dy, dy];
  const q = [s[0] - loX, hiX - s[0], s[1] - loY, hiY - s[1]];
  for (let i = 0; i < 4; ++i) {
    if (p[i] === 0.0) {
      if (q[i] < 0.0) return null;
      continue;
    }
    const r = q[i] / p[i];
    if (p[i] < 0.0) t0 = Math.max(t0, r);
    else t1 = Math.min(t1, r);
    if (t0 > t1) return null;
  }
  const [ox, oy] = s;
  return [ox + t0 * dx, oy + t0 * dy, ox + t1 * dx, oy + t1 * dy];
}

// The rasteriser's own rough clip, to one pixel beyond the target.
function clipToDevice(t, s) {
  let [x1, y1, x2, y2] = s;
  const xmin = -1;
  const xmax = t.width + 1;
  const ymin = -1;
  const ymax = t.height + 1;
  if (x1 < xmin) {
    if (x2 <= xmin) return null;
    y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
    x1 = xmin;
  } else if (x1 > xmax) {
    if (x2 >= xmax) return null;
    y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
    x1 = xmax;
  }
  if (x2 < xmin) {
    y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
    x2 = xmin;
  } else if (x2 > xmax) {
    y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
    x2 = xmax;
  }
  if (y1 < ymin) {
    if (y2 <= ymin) return null;
    x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
    y1 = ymin;
  } else if (y1 > ymax) {
    if (y2 >= ymax) return null;
    x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
    y1 = ymax;
  }
  if (y2 < ymin) {
    x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
    y2 = ymin;
  } else if (y2 > ymax) {
    x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
    y2 = ymax;
  }
  return [x1, y1, x2, y2];
}

const fixed26 = (v) => Math.trunc(v * 64);
const fixedDiv16 = (a, b) => Math.trunc((a * 65536) / b);
const shift = (v, n) => Math.floor(v / 2 ** n);

// Steps along the longer axis; `major`/`minor` say which coordinate is x.
function stepLine(t, a1, b1, a2, b2, color, steep) {
  if (a1 > a2) [a1, b1, a2, b2] = [a2, b2, a1, b1];
  const inc = fixedDiv16(b2 - b1, a2 - a1);
  let b = b1 * 1024;
  let a = shift(a1 + 32, 6);
  const end = shift(a2 + 32, 6);
  if (a === end) return;
  // Sampled at the pixel's centre on a rising slope, at its near edge on
  // a falling one: what keeps a line and its mirror image alike.
  b += shift(((a * 64) + (inc > 0 ? 32 : 0) - a1) * inc, 6);
  do {
    if (steep) plot(t, shift(b, 16), a, color);
    else plot(t, a, shift(b, 16), color);
    b += inc;
  } while (++a < end);
}

// A one-pixel line from device point (x1, y1) to (x2, y2).
export function line(t, x1, y1, x2, y2, color) {
  if (x1 === x2 && y1 === y2) return;
  const margin = clipSegment([x1, y1, x2, y2], -CLIP_MARGIN, -CLIP_MARGIN, t.width + CLIP_MARGIN, t.height + CLIP_MARGIN);
  if (!margin) return;
  const s = clipToDevice(t, margin);
  if (!s) return;
  const [fx1, fy1, fx2, fy2] = s.map(fixed26);
  const dx = Math.abs(fx2 - fx1);
  const dy = Math.abs(fy2 - fy1);
  if (dx < dy) stepLine(t, fy1, fx1, fy2, fx2, color, true);
  else if (dx !== 0) stepLine(t, fx1, fy1, fx2, fy2, color, false);
}

// Rounds as the rasteriser's fill does: halves upward.
function roundFill(v) {
  return v >= 0 ? Math.trunc(v + 0.5) : Math.floor(v + 0.5);
}

// Fills the rectangle between two device points given unrounded.
export function fillBox(t, x1, y1, x2, y2, color) {
  let l = roundFill(x1), r = roundFill(x2), tp = roundFill(y1), b = roundFill(y2);
  if (r < l) [l, r] = [r, l];
  if (b < tp) [tp, b] = [b, tp];
  const top = Math.max(tp, 0), bottom = Math.min(b, t.height);
  for (let y = top; y < bottom; ++y) run(t, l, y, r - l, color);
}
