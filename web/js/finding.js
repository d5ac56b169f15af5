// SPDX-License-Identifier: MIT
// Finding planets by name: the search field offers the names Center On
// offers, in its order (rules/suggest.js), and choosing one centres the
// view on that planet and marks it; the Route panel finds the route that
// kestrin-render --route finds (rules/route.js) between two planets named
// exactly, and draws its legs as distance lines.

import { createSuggestionIndex, findPlanetIndex, suggest } from './rules/suggest.js';
import { createRouteIndex, findRoute } from './rules/route.js';
import { createHoverIndex } from './rules/hover.js';
import { jumpRange, parseRange, rangeText } from './rules/lightyears.js';
import { noRouteText, routeLines, unknownNameText } from './rules/routetext.js';
import { showRoute, showRouteMessage, showSuggestions } from './panels.js';

const byId = (id) => document.getElementById(id);

function attachSearch(page) {
  const input = byId('find');
  const list = byId('suggestions');
  const state = { planets: [], highlighted: -1 };
  const choose = (planet) => {
    input.value = page.map.names[planet];
    state.planets = [];
    state.highlighted = -1;
    render();
    page.centerOn(planet);
  };
  const render = () => showSuggestions(list, input, page.map.names, state.planets, state.highlighted, choose);
  input.addEventListener('input', () => {
    state.planets = suggest(page.indexes.suggestions(), input.value);
    state.highlighted = -1;
    render();
  });
  input.addEventListener('keydown', (e) => {
    const n = state.planets.length;
    if (e.key === 'ArrowDown' && n) state.highlighted = (state.highlighted + 1) % n;
    else if (e.key === 'ArrowUp' && n) state.highlighted = (state.highlighted + n - 1) % n;
    else if (e.key === 'Escape' && state.highlighted >= 0) state.highlighted = -1;
    else if (e.key === 'Enter') {
      const planet = state.highlighted >= 0 ? state.planets[state.highlighted] : findPlanetIndex(page.map, input.value);
      if (planet >= 0) choose(planet);
    } else return;
    e.preventDefault();
    render();
  });
}

function runRoute(page) {
  const legs = byId('route-legs');
  const result = byId('route-result');
  const fromText = byId('route-from').value;
  const toText = byId('route-to').value;
  const from = findPlanetIndex(page.map, fromText);
  const to = findPlanetIndex(page.map, toText);
  const thousandths = parseRange(byId('route-jump').value);
  page.showRouteLines([]);
  if (from < 0 || to < 0) {
    const typed = from < 0 ? fromText : toText;
    return showRouteMessage(legs, result, unknownNameText(page.map, typed, suggest(page.indexes.suggestions(), typed, 3)));
  }
  if (thousandths === null) return showRouteMessage(legs, result, 'the jump range is a number of light years, such as 12.5');
  const range = jumpRange(thousandths);
  const route = findRoute(page.indexes.routes(), from, to, range);
  if (!route.found) return showRouteMessage(legs, result, noRouteText(page.map, route, fromText, toText, to, thousandths));
  showRoute(legs, result, routeLines(page.map, route));
  const { x, y } = page.map;
  page.showRouteLines(route.legs.map((l) => ({ x1: x[l.from], y1: y[l.from], x2: x[l.to], y2: y[l.to], lightYears: l.lightYears })));
}

function attachRoute(page) {
  const r = page.config.route;
  if (r) {
    byId('route-from').value = r.from;
    byId('route-to').value = r.to;
    byId('route-jump').value = rangeText(r.jumpThousandths);
  }
  byId('route-form').addEventListener('submit', (e) => {
    e.preventDefault();
    runRoute(page);
  });
  byId('route-clear').addEventListener('click', () => {
    showRouteMessage(byId('route-legs'), byId('route-result'), '');
    page.showRouteLines([]);
  });
}

// The map's look-up structures, each made once when first asked for;
// prepare() makes them all while the page is idle after its first picture,
// so that the first search or route does not wait for them.
export class MapIndexes {
  constructor(map) {
    this.map = map;
    this.made = {};
  }
  make(name, create) {
    this.made[name] ??= create(this.map);
    return this.made[name];
  }
  suggestions() {
    return this.make('suggestions', createSuggestionIndex);
  }
  routes() {
    return this.make('routes', createRouteIndex);
  }
  hover() {
    return this.make('hover', createHoverIndex);
  }
  prepare() {
    const steps = [() => this.hover(), () => this.suggestions(), () => this.routes()];
    const next = () => {
      const step = steps.shift();
      if (!step) return;
      step();
      idle(next);
    };
    idle(next);
  }
}

const idle = (f) => (window.requestIdleCallback ? requestIdleCallback(f, { timeout: 2000 }) : setTimeout(f, 50));

export function attachFinding(page) {
  attachSearch(page);
  attachRoute(page);
}
