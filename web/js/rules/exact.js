// SPDX-License-Identifier: MIT
// Exact integer arithmetic on doubles where it is exact, BigInt where it is
// not. Map coordinates are 32-bit integers, so their differences fit a
// double exactly, but the squares of large differences do not; questions
// such as "is this planet within the range" must be answered exactly, the
// way the viewer answers them in 128-bit integers.

export const EXACT_LIMIT = 2 ** 53;

// dx * dx + dy * dy for integer dx and dy: a number when it is below 2^53
// (then every step was exact), else a BigInt. Numbers and BigInts compare
// by their true values with <, <=, > and >=, so results of either kind may
// be compared with each other directly.
export function squaredLength(dx, dy) {
  const sum = dx * dx + dy * dy;
  if (sum < EXACT_LIMIT) return sum;
  const bx = BigInt(dx);
  const by = BigInt(dy);
  return bx * bx + by * by;
}

// -1, 0 or 1 as a is less than, equal to or greater than b, for numbers
// and BigInts in any mix.
export function compareExact(a, b) {
  if (a < b) return -1;
  return a > b ? 1 : 0;
}

// A BigInt as a number when that is exact, else the BigInt itself.
export function narrow(value) {
  const big = BigInt(value);
  const limit = BigInt(EXACT_LIMIT);
  return big < limit && big > -limit ? Number(big) : big;
}
