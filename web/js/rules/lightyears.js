// SPDX-License-Identifier: MIT
// Distances in light years, counted as the viewer counts them. Twenty map
// units make one light year. A distance is the straight length between two
// points in map units, truncated to a whole number, then divided by 20 with
// the remainder dropped: 619 map units are 30 light years, 620 are 31. The
// length is worked out in doubles by the same steps as the viewer's, so the
// two agree to the last bit, at the exact boundaries too.
//
// A jump range is a whole number of thousandths of a light year ("12.5",
// "0.125"); a leg is allowed when its length is at most the range, compared
// exactly: a planet exactly at the range is in.

import { squaredLength } from './exact.js';

export const MAP_UNITS_PER_LIGHT_YEAR = 20;

// The straight length between two points in map units, unrounded.
export function mapDistance(ax, ay, bx, by) {
  const dx = Math.abs(ax - bx);
  const dy = Math.abs(ay - by);
  return Math.sqrt(dx * dx + dy * dy);
}

// Whole light years in a length of map units (not negative), such as the
// sum of a route's legs.
export function lightYearsOfLength(length) {
  return Math.trunc(Math.trunc(length) / MAP_UNITS_PER_LIGHT_YEAR);
}

// Whole light years between two points in map units, as a measure line's
// label shows them.
export function wholeLightYears(ax, ay, bx, by) {
  return lightYearsOfLength(mapDistance(ax, ay, bx, by));
}

// "%ld Light Years", the label of a measure line.
export function lightYearsLabel(lightYears) {
  return `${lightYears} Light Years`;
}

// Tenths of a light year in a length of map units (not negative), cut
// toward zero: 463.9 map units are 23.1 light years, 464 are 23.2.
export function tenthsOfLength(length) {
  return Math.trunc((length * 10) / MAP_UNITS_PER_LIGHT_YEAR);
}

// Tenths as they are shown: "23.1", "0.0".
export function tenthsText(tenths) {
  return `${Math.trunc(tenths / 10)}.${tenths % 10}`;
}

// "23.1 Light Years", a distance to one decimal.
export function tenthsLabel(tenths) {
  return `${tenthsText(tenths)} Light Years`;
}

// The distance of a point from the map origin in light years to one
// decimal, cut toward zero: "30.9".
export function tenthsFromOrigin(x, y) {
  return tenthsText(tenthsOfLength(mapDistance(0, 0, x, y)));
}

// The least r with r * r >= squared, for a whole square (number or BigInt).
function ceilSqrt(squared) {
  if (typeof squared === 'number') {
    let r = Math.ceil(Math.sqrt(squared));
    while (r > 0 && (r - 1) * (r - 1) >= squared) --r;
    while (r * r < squared) ++r;
    return r;
  }
  let r = BigInt(Math.ceil(Math.sqrt(Number(squared))));
  while (r > 0n && (r - 1n) * (r - 1n) >= squared) --r;
  while (r * r < squared) ++r;
  return Number(r);
}

// The least whole number of tenths of a light year that, as a range,
// allows the jump from a to b: its length rounded up to a tenth. A range
// of t tenths allows d map units when d^2 <= (2t)^2, so t is half the
// least whole r with r^2 >= d^2, rounded up.
export function tenthsToJump(ax, ay, bx, by) {
  return Math.trunc((ceilSqrt(squaredLength(ax - bx, ay - by)) + 1) / 2);
}

const MAX_WHOLE_DIGITS = 15;
const MAX_FRACTION_DIGITS = 3;
// 10^12 light years: farther than any two 32-bit points lie apart.
export const MAX_RANGE_THOUSANDTHS = 1e15;

// A range as typed: decimal digits, optionally a point and at most three
// more digits, at most fifteen before the point; no sign, no blanks. The
// range in thousandths of a light year, or null when the text is none.
export function parseRange(text) {
  const match = /^([0-9]*)(?:\.([0-9]*))?$/.exec(String(text));
  if (match === null) return null;
  const whole = match[1];
  const fraction = match[2] ?? '';
  if (whole.length > MAX_WHOLE_DIGITS || fraction.length > MAX_FRACTION_DIGITS) return null;
  if (whole.length + fraction.length === 0) return null;
  const wholeValue = whole === '' ? 0 : Number(whole);
  const fractionValue = Number(fraction.padEnd(MAX_FRACTION_DIGITS, '0'));
  // Fifteen digits are exact in a double; their thousandths may not be.
  if (wholeValue >= MAX_RANGE_THOUSANDTHS / 1000) return MAX_RANGE_THOUSANDTHS;
  return Math.min(wholeValue * 1000 + fractionValue, MAX_RANGE_THOUSANDTHS);
}

// A range as it would be typed: "25", "12.5", "0.125".
export function rangeText(thousandths) {
  const whole = Math.trunc(thousandths / 1000);
  const rest = thousandths % 1000;
  if (rest === 0) return String(whole);
  return `${whole}.${String(rest).padStart(3, '0').replace(/0+$/, '')}`;
}

// The jump range of so many thousandths of a light year (clamped to
// 0..MAX_RANGE_THOUSANDTHS). A leg of d map units is allowed when
// d / 20 <= t / 1000, that is d^2 <= (20 t / 1000)^2; d^2 is whole, so the
// bound is rounded down to whole squared map units.
export function jumpRange(thousandths) {
  const t = Math.min(Math.max(Math.trunc(thousandths), 0), MAX_RANGE_THOUSANDTHS);
  const scaled = BigInt(t) * BigInt(MAP_UNITS_PER_LIGHT_YEAR);
  const maxSquared = (scaled * scaled) / 1000000n;
  // For the common case of a square below 2^53 a plain number compares
  // exactly; a larger bound is beyond every such square.
  const quick = maxSquared < 2n ** 53n ? Number(maxSquared) : Infinity;
  // The longest leg in whole map units, rounded up: a box to search in.
  const reach = Math.ceil(Math.sqrt(Number(maxSquared))) + 1;
  return { thousandths: t, maxSquared, quick, reach };
}

// Whether one jump of range may go from a to b (map units).
export function allows(range, ax, ay, bx, by) {
  const dx = ax - bx;
  const dy = ay - by;
  const square = dx * dx + dy * dy;
  if (square < 2 ** 53) return square <= range.quick;
  return squaredLength(dx, dy) <= range.maxSquared;
}
