// SPDX-License-Identifier: MIT
// The view in the page's address: "#zoom=Z&center=X,Y", in map units as
// kestrin-render's --zoom and --center take them (Z is N, or WxH for two
// extents). A copied address opens the same view.

import { FULL_EXTENT, MIN_EXTENT } from './viewport.js';

const WHOLE_NUMBER_TEXT = /^-?\d{1,10}$/;

function wholeNumber(text) {
  if (!WHOLE_NUMBER_TEXT.test(text)) return null;
  const v = Number(text);
  return v >= -2147483648 && v <= 2147483647 ? v : null;
}

function parseZoom(text) {
  const parts = text.split('x').map(wholeNumber);
  if (parts.length === 1) parts.push(parts[0]);
  if (parts.length !== 2 || parts.some((v) => v === null || v < MIN_EXTENT || v > FULL_EXTENT)) return null;
  return parts;
}

function parseCenter(text) {
  const parts = text.split(',').map(wholeNumber);
  return parts.length === 2 && parts.every((v) => v !== null) ? parts : null;
}

// { zoom, center } from a hash such as "#zoom=3125&center=10,-20"; a part
// missing or out of range is left out.
export function parseAddress(hash) {
  const view = {};
  for (const pair of hash.replace(/^#/, '').split('&')) {
    const eq = pair.indexOf('=');
    if (eq < 0) continue;
    const key = pair.slice(0, eq);
    const value = decodeURIComponent(pair.slice(eq + 1));
    if (key === 'zoom' && parseZoom(value)) view.zoom = parseZoom(value);
    if (key === 'center' && parseCenter(value)) view.center = parseCenter(value);
  }
  return view;
}

export function formatAddress(zoom, center) {
  const z = zoom[0] === zoom[1] ? `${zoom[0]}` : `${zoom[0]}x${zoom[1]}`;
  return `#zoom=${z}&center=${center[0]},${center[1]}`;
}
