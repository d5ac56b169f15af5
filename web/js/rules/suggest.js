// SPDX-License-Identifier: MIT
// Planet names that match what the user has typed so far, as the viewer's
// Center On list offers them. Groups, best first:
//   1. the exact name, as the exact lookup compares it (byte for byte in
//      the map's encoding);
//   2. names that start with the text, case ignored;
//   3. names with a later word (after a space) that starts with it;
//   4. names that contain it anywhere.
// Within a group names come in file order, each name once, as its first
// planet; MAX_SUGGESTIONS at most. Empty text suggests nothing.
//
// The map: { count, names: decoded names, encoding: 'utf-8' (default) or
// 'windows-1252', rawNames?: each name's bytes as a string of U+0000 to
// U+00FF }. Decoded names tell names apart except on a Windows-1252 map
// whose names hold bytes without a character there (0x81, 0x8D, 0x8F,
// 0x90, 0x9D all read as U+FFFD); rawNames settle those exactly.

import { foldCase, wellFormed } from './casefold.js';

export const MAX_SUGGESTIONS = 12;

const GROUPS = 4;
const EXACT = 0, PREFIX = 1, WORD_START = 2, INSIDE = 3;

// Windows-1252's characters of the bytes 0x80 to 0x9F; 0 for none.
const HIGH_1252 = [
  0x20ac, 0, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017d, 0,
  0, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0, 0x017e, 0x0178,
];

// Typed text as the bytes of Windows-1252 (a string of U+0000 to U+00FF),
// or null when a character has no byte there.
export function toWindows1252(text) {
  let out = '';
  for (const ch of wellFormed(text)) {
    const c = ch.codePointAt(0);
    if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) {
      out += ch;
      continue;
    }
    const at = HIGH_1252.indexOf(c);
    if (at < 0) return null;
    out += String.fromCharCode(0x80 + at);
  }
  return out;
}

// The key the exact lookup compares names by, for typed text: null when
// the text cannot be written in the map's encoding, so no name equals it.
function exactKey(map, typed) {
  const text = wellFormed(typed);
  if (map.encoding !== 'windows-1252') return text;
  const bytes = toWindows1252(text);
  if (bytes === null) return null;
  return map.rawNames ? bytes : text;
}

function nameKey(map, planet) {
  return map.rawNames ? map.rawNames[planet] : map.names[planet];
}

// The first planet, in file order, named exactly typed; -1 for none.
export function findPlanetIndex(map, typed) {
  const key = exactKey(map, typed);
  if (key === null) return -1;
  for (let i = 0; i < map.count; ++i) if (nameKey(map, i) === key) return i;
  return -1;
}

// Folds every name once; the map's names never change afterwards.
export function createSuggestionIndex(map) {
  const start = new Uint32Array(map.count + 1);
  const parts = [];
  let length = 0;
  for (let i = 0; i < map.count; ++i) {
    start[i] = length;
    const folded = foldCase(map.names[i]);
    parts.push(folded);
    length += folded.length + 1;  // a line feed ends each: no name holds one
  }
  start[map.count] = length;
  return { map, folded: parts.join('\n') + (map.count > 0 ? '\n' : ''), start };
}

function groupOf(index, planet, hit, needle, exact) {
  const begin = index.start[planet];
  if (hit === begin) return exact !== null && nameKey(index.map, planet) === exact ? EXACT : PREFIX;
  const name = index.folded.slice(begin, index.start[planet + 1] - 1);
  for (let at = hit - begin; at >= 0; at = name.indexOf(needle, at + 1)) {
    if (name[at - 1] === ' ') return WORD_START;
  }
  return INSIDE;
}

function addTo(groups, map, group, planet, limit) {
  const list = groups[group];
  if (list.length >= limit) return;
  // A name given twice falls in the same group both times.
  const key = nameKey(map, planet);
  if (list.some((other) => nameKey(map, other) === key)) return;
  list.push(planet);
}

// Planet indices for the text typed so far: at most limit, best first.
export function suggest(index, typed, limit = MAX_SUGGESTIONS) {
  if (typed.length === 0 || limit <= 0) return [];
  const needle = foldCase(wellFormed(typed));
  if (needle.includes('\n')) return [];
  const exact = exactKey(index.map, typed);
  const groups = Array.from({ length: GROUPS }, () => []);
  const { folded, start } = index;
  let planet = 0;
  for (let hit = folded.indexOf(needle); hit >= 0;) {
    while (start[planet + 1] <= hit) ++planet;
    addTo(groups, index.map, groupOf(index, planet, hit, needle, exact), planet, limit);
    hit = folded.indexOf(needle, start[planet + 1]);
  }
  return groups.flat().slice(0, limit);
}

// The suggested names themselves, for a list.
export function suggestNames(index, typed, limit = MAX_SUGGESTIONS) {
  return suggest(index, typed, limit).map((planet) => index.map.names[planet]);
}
