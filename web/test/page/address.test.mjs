// SPDX-License-Identifier: MIT
// The view in the address: what reopening a copied address gives.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { formatAddress, parseAddress } from '../../js/address.js';

test('an address round-trips', () => {
  for (const [zoom, center] of [[[12500, 12500], [0, 0]], [[20, 20], [-2147483648, 2147483647]], [[6250, 3125], [5, -7]]]) {
    assert.deepEqual(parseAddress(formatAddress(zoom, center)), { zoom, center });
  }
  assert.equal(formatAddress([20, 20], [1, -2]), '#zoom=20&center=1,-2');
  assert.equal(formatAddress([20, 10], [1, -2]), '#zoom=20x10&center=1,-2');
});

test('a part out of range or malformed is left out', () => {
  assert.deepEqual(parseAddress('#zoom=0&center=1,2'), { center: [1, 2] });
  assert.deepEqual(parseAddress('#zoom=12501'), {});
  assert.deepEqual(parseAddress('#zoom=1.5&center=2147483648,0'), {});
  assert.deepEqual(parseAddress('#center=1,2,3&zoom=abc'), {});
  assert.deepEqual(parseAddress('#zoom=%32%30&center=3%2C4'), { zoom: [20, 20], center: [3, 4] });
  assert.deepEqual(parseAddress(''), {});
});
