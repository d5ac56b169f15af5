// SPDX-License-Identifier: MIT
import { test } from 'node:test';
import assert from 'node:assert/strict';

import { PLAIN, TERMINAL, noRouteText, routeLines, unknownNameText } from '../../js/rules/routetext.js';

const map = { names: ['Start <b>', 'Middle\u0007', 'Goal "x"'], encoding: 'utf-8' };

test('a route reads leg by leg to a tenth, then the total of the tenths shown and the longest jump', () => {
  const legs = [{ from: 0, to: 1, length: 101, tenths: 50 }, { from: 1, to: 2, length: 145.9, tenths: 72 }];
  const route = { found: true, tenths: 122, legs, longest: 1, longestTenthsToJump: 73 };
  assert.deepEqual(routeLines(map, route), [
    'Start <b> -> Middle\u0007: 5.0 Light Years', 'Middle\u0007 -> Goal "x": 7.2 Light Years',
    'Total: 12.2 Light Years in 2 jumps', 'Longest jump: 7.2 Light Years (--jump 7.3 or more finds a route)',
  ]);
  assert.equal(routeLines(map, route, TERMINAL)[0], 'Start <b> -> Middle\\x07: 5.0 Light Years');
  const one = { ...route, tenths: 50, legs: [legs[0]], longest: 0, longestTenthsToJump: 51 };
  assert.equal(routeLines(map, one)[1], 'Total: 5.0 Light Years in 1 jump');
  // A planet to itself: no legs, no longest jump.
  assert.deepEqual(routeLines(map, { found: true, tenths: 0, legs: [], longest: -1 }), ['Total: 0.0 Light Years in 0 jumps']);
});

test('no route names the nearest planet reached, unless that is the start itself asked about, and the least range', () => {
  const none = { found: false, nearest: 1, nearestLightYears: 9, leastTenths: 131 };
  assert.equal(noRouteText(map, none, 'Start <b>', 'Goal "x"', 2, 12500),
    'no route from "Start <b>" to "Goal "x"" with jumps of at most 12.5 light years; ' +
    'the nearest to "Goal "x"" that can be reached is "Middle\u0007", 9 Light Years from it; --jump 13.1 finds one');
  assert.equal(noRouteText(map, { ...none, nearest: -1 }, 'a\tb', 'b', 2, 1000, TERMINAL),
    'no route from "a\\tb" to "b" with jumps of at most 1 light years; --jump 13.1 finds one');
});

test('a name no planet has offers the suggestions', () => {
  assert.equal(unknownNameText(map, 'Mid', [1]), 'no planet is named "Mid"; did you mean "Middle\u0007"?');
  assert.equal(unknownNameText(map, 'zz\u0085\ud800\n', [], TERMINAL), 'no planet is named "zz\u0085?\\n"');
  assert.equal(unknownNameText(map, 'zz', [], PLAIN), 'no planet is named "zz"');
});

test('on a terminal a name\'s control characters and non-characters read as their bytes in the file', () => {
  const utf8 = { names: ['A\u0085\ufffd\u001bZ \u00e9'], encoding: 'utf-8' };
  assert.equal(TERMINAL.name(utf8, 0), 'A\\xC2\\x85\\xEF\\xBF\\xBD\\x1BZ \u00e9');
  const cp1252 = { names: ['\u20ac\ufffd\u0007\u00e9'], rawNames: ['\x80\x81\x07\xe9'], encoding: 'windows-1252' };
  assert.equal(TERMINAL.name(cp1252, 0), '\u20ac\\x81\\x07\u00e9');
  assert.equal(PLAIN.name(cp1252, 0), '\u20ac\ufffd\u0007\u00e9');
});
