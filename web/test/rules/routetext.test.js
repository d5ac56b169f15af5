import { test } from 'node:test';
import assert from 'node:assert/strict';

import { noRouteText, routeLines, unknownNameText } from '../../js/rules/routetext.js';

const map = { names: ['Start <b>', 'Middle', 'Goal "x"'] };

test('a route reads leg by leg, then its total and jumps', () => {
  const route = { found: true, lightYears: 12, legs: [{ from: 0, to: 1, lightYears: 5 }, { from: 1, to: 2, lightYears: 7 }] };
  assert.deepEqual(routeLines(map, route), [
    'Start <b> -> Middle: 5 Light Years', 'Middle -> Goal "x": 7 Light Years', 'Total: 12 Light Years in 2 jumps',
  ]);
  assert.deepEqual(routeLines(map, { found: true, lightYears: 5, legs: [route.legs[0]] }).at(-1), 'Total: 5 Light Years in 1 jump');
});

test('no route names the nearest planet reached, unless that is the start itself asked about', () => {
  const none = { found: false, nearest: 1, nearestLightYears: 9 };
  assert.equal(noRouteText(map, none, 'Start <b>', 'Goal "x"', 2, 12500),
    'no route from "Start <b>" to "Goal "x"" with jumps of at most 12.5 light years; ' +
    'the nearest to "Goal "x"" that can be reached is "Middle", 9 Light Years from it');
  assert.equal(noRouteText(map, { ...none, nearest: -1 }, 'a', 'b', 2, 1000), 'no route from "a" to "b" with jumps of at most 1 light years');
});

test('a name no planet has offers the suggestions', () => {
  assert.equal(unknownNameText(map, 'Mid', [1]), 'no planet is named "Mid"; did you mean "Middle"?');
  assert.equal(unknownNameText(map, 'zz', []), 'no planet is named "zz"');
});
