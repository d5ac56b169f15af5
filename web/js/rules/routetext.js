// How a route reads, as kestrin-render --route writes it: one line per leg
// and a total, or the "no route" answer. Only the wording lives here; the
// choice of planets is route.js's. Names are given as the page shows them
// (plain text); the terminal escapes its control characters, a page does
// not need to.

import { lightYearsLabel, rangeText } from './lightyears.js';

// "FROM -> TO: N Light Years" per leg, then "Total: N Light Years in J
// jumps" ("1 jump").
export function routeLines(map, route) {
  const lines = route.legs.map((leg) => `${map.names[leg.from]} -> ${map.names[leg.to]}: ${lightYearsLabel(leg.lightYears)}`);
  const jumps = route.legs.length;
  lines.push(`Total: ${lightYearsLabel(route.lightYears)} in ${jumps} ${jumps === 1 ? 'jump' : 'jumps'}`);
  return lines;
}

// The answer when there is no route: fromTyped and toTyped as the user
// typed them, to the planet the route was asked for, range in thousandths
// of a light year.
export function noRouteText(map, route, fromTyped, toTyped, to, thousandths) {
  let text = `no route from "${fromTyped}" to "${toTyped}" with jumps of at most ${rangeText(thousandths)} light years`;
  if (route.nearest >= 0 && route.nearest !== to) {
    text += `; the nearest to "${map.names[to]}" that can be reached is "${map.names[route.nearest]}", ` +
      `${lightYearsLabel(route.nearestLightYears)} from it`;
  }
  return text;
}

// The answer for a name no planet has, with the suggestions (planet
// indices, at most three) that the command offers.
export function unknownNameText(map, typed, suggestions) {
  const named = suggestions.map((planet) => `"${map.names[planet]}"`);
  return `no planet is named "${typed}"` + (named.length > 0 ? `; did you mean ${named.join(', ')}?` : '');
}
