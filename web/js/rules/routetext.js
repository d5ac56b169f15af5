// SPDX-License-Identifier: MIT
// How a route reads, as kestrin-render --route writes it: one line per leg,
// the total and the longest jump, or the "no route" answer with the least
// range that finds one, or the answer for a name no planet has. Only the
// wording lives here; the choice of planets and the figures are route.js's.
//
// Names are shown one of two ways: PLAIN, as the page shows them (text,
// never markup), or TERMINAL, as the command writes them to a terminal
// (control characters and bytes that read as no character written \xHH),
// which is what the shared tables compare byte for byte.

import { lightYearsLabel, rangeText, tenthsLabel, tenthsText } from './lightyears.js';

const HEX = (byte) => `\\x${byte.toString(16).toUpperCase().padStart(2, '0')}`;

function isControl(code) {
  return code < 0x20 || (code >= 0x7f && code <= 0x9f);
}

// A planet's name as the command shows it: each character of the map's
// text that is a control character or no character at all (a byte
// Windows-1252 leaves undefined, or U+FFFD itself) as its bytes in the
// file, \xHH each.
function terminalName(map, planet) {
  if (map.encoding === 'windows-1252') {
    const bytes = map.rawNames[planet];
    const decoded = map.names[planet];
    let shown = '';
    for (let i = 0; i < bytes.length; ++i) {
      const ch = decoded[i];
      const code = ch.codePointAt(0);
      shown += code === 0xfffd || isControl(code) ? HEX(bytes.charCodeAt(i)) : ch;
    }
    return shown;
  }
  let shown = '';
  for (const ch of map.names[planet]) {
    const code = ch.codePointAt(0);
    if (code === 0xfffd || isControl(code)) {
      for (const byte of new TextEncoder().encode(ch)) shown += HEX(byte);
    } else {
      shown += ch;
    }
  }
  return shown;
}

// Typed text as the command echoes it: ASCII control characters escaped
// (\n, \r, \t, else \xHH); a lone surrogate, which has no UTF-8 form,
// reads "?" as the toolkit hands it over.
function terminalTyped(typed) {
  let shown = '';
  for (const ch of String(typed)) {
    const code = ch.codePointAt(0);
    if (code >= 0xd800 && code <= 0xdfff) shown += '?';
    else if (ch === '\n') shown += '\\n';
    else if (ch === '\r') shown += '\\r';
    else if (ch === '\t') shown += '\\t';
    else shown += code < 0x20 || code === 0x7f ? HEX(code) : ch;
  }
  return shown;
}

export const PLAIN = Object.freeze({ name: (map, planet) => map.names[planet], typed: (typed) => String(typed) });
export const TERMINAL = Object.freeze({ name: terminalName, typed: terminalTyped });

// "FROM -> TO: N.N Light Years" per leg, then "Total: N.N Light Years in J
// jumps" ("1 jump"), then, when there are legs, "Longest jump: N.N Light
// Years (--jump R or more finds a route)". route is findRoute's.
export function routeLines(map, route, as = PLAIN) {
  const lines = route.legs.map((leg) => `${as.name(map, leg.from)} -> ${as.name(map, leg.to)}: ${tenthsLabel(leg.tenths)}`);
  const jumps = route.legs.length;
  lines.push(`Total: ${tenthsLabel(route.tenths)} in ${jumps} ${jumps === 1 ? 'jump' : 'jumps'}`);
  if (route.longest >= 0) {
    lines.push(`Longest jump: ${tenthsLabel(route.legs[route.longest].tenths)} ` +
      `(--jump ${tenthsText(route.longestTenthsToJump)} or more finds a route)`);
  }
  return lines;
}

// The answer when there is no route: fromTyped and toTyped as the user
// typed them, to the planet the route was asked for, range in thousandths
// of a light year; route is findRoute's, with the least range that finds
// one.
export function noRouteText(map, route, fromTyped, toTyped, to, thousandths, as = PLAIN) {
  let text = `no route from "${as.typed(fromTyped)}" to "${as.typed(toTyped)}" ` +
    `with jumps of at most ${rangeText(thousandths)} light years`;
  if (route.nearest >= 0 && route.nearest !== to) {
    text += `; the nearest to "${as.name(map, to)}" that can be reached is "${as.name(map, route.nearest)}", ` +
      `${lightYearsLabel(route.nearestLightYears)} from it`;
  }
  return `${text}; --jump ${tenthsText(route.leastTenths)} finds one`;
}

// The answer for a name no planet has, with the suggestions (planet
// indices, at most three) that the command offers.
export function unknownNameText(map, typed, suggestions, as = PLAIN) {
  const named = suggestions.map((planet) => `"${as.name(map, planet)}"`);
  return `no planet is named "${as.typed(typed)}"` + (named.length > 0 ? `; did you mean ${named.join(', ')}?` : '');
}
