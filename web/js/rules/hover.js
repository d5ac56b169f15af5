// SPDX-License-Identifier: MIT
// What lies under the pointer, and the tip that says so, as the viewer's
// window decides it. A planet is under the pointer when the pointer lies
// within HOVER_PIXELS device pixels of its circle (radius PLANET_RADIUS map
// units), or of its dot while the circle is drawn under DOT_PIXELS pixels
// across. The question is exact: the pointer's disc is worked out in
// fractions of a map unit over the mapping's own ratio, so no rounding of
// the mapping decides whether a planet is in or out.
//
// The tip lists the nearest HOVER_LISTED planets, nearest first, planets at
// the same distance in file order, one line each, and "and N more" for the
// rest; no planet under the pointer gives no text.
//
// The mapping is given as the viewer's surface holds it:
//   { scaleX: { num, den }, scaleY: { num, den },
//     viewportOrg: { x, y }, windowOrg: { x, y } }
// num device pixels (negative on a mirrored axis) to den map units, the
// same |num| and den on both axes; a map point p lands on device pixel
// viewportOrg + round((p - windowOrg) * num / den). All are integers.

import { buildGrid, forEachInBox } from './grid.js';
import { EXACT_LIMIT, compareExact, narrow } from './exact.js';
import { tenthsFromOrigin } from './lightyears.js';

export const HOVER_PIXELS = 4;
export const HOVER_LISTED = 5;
export const PLANET_RADIUS = 5;
export const DOT_PIXELS = 2;

// The index that hover questions are asked of; build it once per map.
export function createHoverIndex(map) {
  let maxAbs = 0;
  for (let i = 0; i < map.count; ++i) maxAbs = Math.max(maxAbs, Math.abs(map.x[i]), Math.abs(map.y[i]));
  return { map, grid: buildGrid(map.x, map.y), maxAbs };
}

// The disc of map points whose planets lie under the device point (cx, cy):
// centre (x / scale, y / scale) and radius radius / scale, in map units.
export function hoverDisc(mapping, cx, cy) {
  const num = BigInt(Math.abs(mapping.scaleX.num));
  const den = BigInt(mapping.scaleX.den);
  const signX = mapping.scaleX.num < 0 ? -1n : 1n;
  const signY = mapping.scaleY.num < 0 ? -1n : 1n;
  const x = (BigInt(cx) - BigInt(mapping.viewportOrg.x)) * den * signX + BigInt(mapping.windowOrg.x) * num;
  const y = (BigInt(cy) - BigInt(mapping.viewportOrg.y)) * den * signY + BigInt(mapping.windowOrg.y) * num;
  const dot = 2n * BigInt(PLANET_RADIUS) * num < BigInt(DOT_PIXELS) * den;
  const circle = dot ? 0n : BigInt(PLANET_RADIUS) * num;
  return { x: narrow(x), y: narrow(y), radius: narrow(circle + BigInt(HOVER_PIXELS) * den), scale: narrow(num) };
}

// Squared distances from the disc's centre in (1 / scale) map units: plain
// numbers while every product stays exact, BigInts beyond.
function distanceFunction(index, disc) {
  const { x, y, radius, scale } = disc;
  const plain = [x, y, radius, scale].every((v) => typeof v === 'number');
  if (plain && index.maxAbs * scale + Math.max(Math.abs(x), Math.abs(y)) < EXACT_LIMIT && 2 * radius * radius < EXACT_LIMIT) {
    // Offsets beyond the radius are out whatever the other axis says, so
    // only squares below 2 radius^2 are ever formed.
    return (px, py) => {
      const ox = px * scale - x;
      const oy = py * scale - y;
      if (Math.abs(ox) > radius || Math.abs(oy) > radius) return null;
      return ox * ox + oy * oy;
    };
  }
  const [bx, by, bs] = [BigInt(x), BigInt(y), BigInt(scale)];
  return (px, py) => {
    const ox = BigInt(px) * bs - bx;
    const oy = BigInt(py) * bs - by;
    return narrow(ox * ox + oy * oy);
  };
}

// The planets under the device point: at most limit of them, nearest
// first, planets at the same distance in file order, and how many more.
export function planetsUnder(index, mapping, cx, cy, limit = HOVER_LISTED) {
  const disc = hoverDisc(mapping, cx, cy);
  const within = narrow(BigInt(disc.radius) * BigInt(disc.radius));
  const distance = distanceFunction(index, disc);
  // The disc's box in map units, a unit wider each way against rounding.
  const s = Number(disc.scale);
  const [mx, my, mr] = [Number(disc.x) / s, Number(disc.y) / s, Number(disc.radius) / s];
  const slack = 1 + (Math.abs(mx) + Math.abs(my) + mr) * 1e-12;
  const kept = [];  // [distance, planet], best first, at most limit
  let total = 0;
  const { map } = index;
  forEachInBox(index.grid, mx - mr - slack, my - mr - slack, mx + mr + slack, my + mr + slack, (planet) => {
    const d = distance(map.x[planet], map.y[planet]);
    if (d === null || d > within) return;
    ++total;
    keepBest(kept, d, planet, limit);
  });
  return { nearest: kept.map((entry) => entry[1]), more: total - kept.length };
}

function keepBest(kept, d, planet, limit) {
  const worse = (a) => compareExact(a[0], d) > 0 || (compareExact(a[0], d) === 0 && a[1] > planet);
  let at = kept.length;
  while (at > 0 && worse(kept[at - 1])) --at;
  if (at >= limit) return;
  kept.splice(at, 0, [d, planet]);
  if (kept.length > limit) kept.pop();
}

// A map coordinate as the data file wrote it: the stored value over ten,
// the sign flipped for y; a tenth shows only for a value the loader did
// not write.
export function fileCoordinate(stored, flip) {
  const value = flip ? -stored : stored;
  const whole = Math.abs(Math.trunc(value / 10));
  const tenth = Math.abs(value % 10);
  return `${value < 0 ? '-' : ''}${whole}${tenth !== 0 ? `.${tenth}` : ''}`;
}

// "Orvessa (KOR)", or the code alone when the legend has no row for it.
export function factionText(map, planet) {
  const { code, legendName } = map.codes[map.code[planet]];
  return legendName ? `${legendName} (${code})` : code;
}

// One planet's line of the tip.
export function hoverLine(map, planet) {
  return `${map.names[planet]} \u2014 ${factionText(map, planet)} \u2014 ` +
    `${fileCoordinate(map.x[planet], false)}, ${fileCoordinate(map.y[planet], true)} \u2014 ` +
    `${tenthsFromOrigin(map.x[planet], map.y[planet])} light years from the origin`;
}

// The tip's lines for the device point: a line per planet listed, then
// "and N more" when there are more; empty for none.
export function hoverLines(index, mapping, cx, cy) {
  const { nearest, more } = planetsUnder(index, mapping, cx, cy);
  const lines = nearest.map((planet) => hoverLine(index.map, planet));
  if (more > 0) lines.push(`and ${more} more`);
  return lines;
}

// The tip's whole text, its lines joined by line feeds, as the window's.
export function hoverText(index, mapping, cx, cy) {
  return hoverLines(index, mapping, cx, cy).join('\n');
}
