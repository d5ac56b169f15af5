// SPDX-License-Identifier: MIT
// The floating panels' lists: distance lines, route legs, search
// suggestions. Every name reaches the page as text (textContent), never
// as markup.

import { lightYearsLabel } from './rules/lightyears.js';

function item(tag, text) {
  const el = document.createElement(tag);
  el.textContent = text;
  return el;
}

// The distance lines, each with its length and a button that removes it,
// and their total.
export function showMeasureList(list, total, lines, remove) {
  list.replaceChildren();
  lines.forEach((m, i) => {
    const li = item('li', lightYearsLabel(m.lightYears));
    const button = item('button', '\u00d7');
    button.type = 'button';
    button.title = 'Remove this line';
    button.setAttribute('aria-label', `Remove line ${i + 1}`);
    button.addEventListener('click', () => remove(i));
    li.append(button);
    list.append(li);
  });
  const sum = lines.reduce((s, m) => s + m.lightYears, 0);
  total.textContent = lines.length ? `Total: ${lightYearsLabel(sum)} in ${lines.length} line${lines.length === 1 ? '' : 's'}` : '';
}

// A route's lines as the renderer's --route writes them: the legs, then
// the total.
export function showRoute(list, result, lines) {
  list.replaceChildren(...lines.slice(0, -1).map((text) => item('li', text)));
  result.textContent = lines[lines.length - 1];
}

export function showRouteMessage(list, result, text) {
  list.replaceChildren();
  result.textContent = text;
}

// Suggestions under the search field; highlighted is an index or -1.
export function showSuggestions(list, input, names, planets, highlighted, choose) {
  list.replaceChildren();
  planets.forEach((planet, i) => {
    const li = item('li', names[planet]);
    li.id = `suggestion-${i}`;
    li.setAttribute('role', 'option');
    li.setAttribute('aria-selected', String(i === highlighted));
    li.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      choose(planet);
    });
    list.append(li);
  });
  input.setAttribute('aria-expanded', String(planets.length > 0));
  if (highlighted >= 0) input.setAttribute('aria-activedescendant', `suggestion-${highlighted}`);
  else input.removeAttribute('aria-activedescendant');
}
