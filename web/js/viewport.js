// SPDX-License-Identifier: MIT
// What part of the map a canvas shows: a zoom (the window extent in map
// units, both components at least 1), a centre (the map point at the
// middle) and the canvas size in device pixels. It maps map units onto
// device pixels exactly as the viewer's screen mapping does for a picture
// of that size: one scale for both axes, the smaller of width / zoom width
// and height / zoom height, kept as a ratio of whole numbers; a point
// lands at the middle (size halved, remainder dropped) plus its offset
// from the centre times the scale, rounded to the nearest pixel with
// halves away from zero; device pixels map back by the inverse ratio,
// rounded the same way. Shared cases pin it to the viewer's own code
// (tests/web-cases/mapping.json).

export const FULL_EXTENT = 12500;
export const MIN_EXTENT = 1;
const INT32_MIN = -2147483648;
const INT32_MAX = 2147483647;
const FAST_QUOTIENT_LIMIT = 2 ** 40;

// round(a * b / c), halves away from zero, for whole a, b and c (c not 0)
// whose product stays below 2^53, as every mapping here does.
export function mulDivRound(a, b, c) {
  let n = a * b;
  let d = c;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const twice = 2 * Math.abs(n) + d;
  // Below 2^40 the quotient of the two whole numbers, correctly rounded,
  // lies more than a unit in its last place from the next whole number
  // whenever it is not one, so its floor is exact; every point of a view
  // comes this way.
  const q = twice < FAST_QUOTIENT_LIMIT ? Math.floor(twice / (2 * d)) : (twice - (twice % (2 * d))) / (2 * d);
  return n < 0 && q !== 0 ? -q : q;
}

export function clampInt32(v) {
  return Math.min(Math.max(v, INT32_MIN), INT32_MAX);
}

export class Viewport {
  // zoom [zx, zy], center [x, y] in map units; size [w, h] in device pixels.
  constructor(zoom, center, size) {
    this.zoom = [Math.max(zoom[0], MIN_EXTENT), Math.max(zoom[1], MIN_EXTENT)];
    this.center = [center[0], center[1]];
    this.size = [size[0], size[1]];
    const w = Math.max(size[0], 1);
    const h = Math.max(size[1], 1);
    this.origin = [Math.trunc(w / 2), Math.trunc(h / 2)];
    const [zx, zy] = this.zoom;
    if (w * zy <= h * zx) {
      this.num = w;
      this.den = zx;
    } else {
      this.num = h;
      this.den = zy;
    }
  }

  deviceX(x) {
    return this.origin[0] + mulDivRound(x - this.center[0], this.num, this.den);
  }

  deviceY(y) {
    return this.origin[1] + mulDivRound(y - this.center[1], this.num, this.den);
  }

  // Device pixels to map units.
  toMap(px, py) {
    return [
      clampInt32(this.center[0] + mulDivRound(px - this.origin[0], this.den, this.num)),
      clampInt32(this.center[1] + mulDivRound(py - this.origin[1], this.den, this.num)),
    ];
  }

  // Device pixels per map unit, unrounded.
  get scale() {
    return this.num / this.den;
  }

  // The mapping as the rule modules take it (hover.js).
  get mapping() {
    return {
      scaleX: { num: this.num, den: this.den },
      scaleY: { num: this.num, den: this.den },
      viewportOrg: { x: this.origin[0], y: this.origin[1] },
      windowOrg: { x: this.center[0], y: this.center[1] },
    };
  }

  withCenter(center) {
    return new Viewport(this.zoom, center, this.size);
  }

  withSize(size) {
    return new Viewport(this.zoom, this.center, size);
  }

  // Zoomed by factor (above 1 shows more), keeping the map point under
  // device point (px, py) there. Each component stays within 1 and the
  // full extent.
  zoomedAt(factor, px, py) {
    const [mx, my] = this.toMap(px, py);
    const step = (z) => Math.min(Math.max(Math.round(z * factor), MIN_EXTENT), FULL_EXTENT);
    let zoom = this.zoom.map(step);
    if (zoom[0] === this.zoom[0] && zoom[1] === this.zoom[1] && factor !== 1) {
      const nudge = factor > 1 ? 1 : -1;
      zoom = this.zoom.map((z) => Math.min(Math.max(z + nudge, MIN_EXTENT), FULL_EXTENT));
    }
    const next = new Viewport(zoom, this.center, this.size);
    const cx = mx - mulDivRound(px - next.origin[0], next.den, next.num);
    const cy = my - mulDivRound(py - next.origin[1], next.den, next.num);
    return next.withCenter([clampInt32(cx), clampInt32(cy)]);
  }

  // Moved so that the map under device point `from` (as this viewport
  // shows it) lies under device point `to`.
  dragged(from, to) {
    const cx = this.center[0] - mulDivRound(to[0] - from[0], this.den, this.num);
    const cy = this.center[1] - mulDivRound(to[1] - from[1], this.den, this.num);
    return this.withCenter([clampInt32(cx), clampInt32(cy)]);
  }
}
