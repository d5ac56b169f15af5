// SPDX-License-Identifier: MIT
// The shared tables of cases under tests/web-cases, and the maps they hold
// turned into the shape the rule modules take. A table's map is the text of
// a data file, one planet a line ("Name Words x y CODE"); "bytes": "latin1"
// marks a map whose lines give raw bytes (U+0000 to U+00FF each), the rest
// are UTF-8. The C++ tests load the same text through the real loader.

import { readFileSync } from 'node:fs';

const tablesDir = new URL('../../../tests/web-cases/', import.meta.url);

export function readTable(name) {
  return JSON.parse(readFileSync(new URL(name, tablesDir), 'utf8'));
}

const HIGH_1252 = [
  0x20ac, 0xfffd, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0xfffd, 0x017d, 0xfffd,
  0xfffd, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0xfffd, 0x017e, 0x0178,
];

function decode1252(bytes) {
  let out = '';
  for (const b of bytes) out += String.fromCodePoint(b >= 0x80 && b < 0xa0 ? HIGH_1252[b - 0x80] : b);
  return out;
}

// The integer a coordinate token stands for: sign, then leading digits.
function coordinate(token) {
  const match = /^([+-]?)([0-9]*)/.exec(token);
  const value = match[2] === '' ? 0 : Number(match[2]);
  return match[1] === '-' ? -value : value;
}

function isNameWord(token) {
  return !/^[0-9-]/.test(token);
}

// The map of a table's map entry, with its legend names from legendRows
// ([{ code, name }]).
export function mapOf(entry, legendRows) {
  const text = entry.lines.map((line) => `${line}\n`).join('');
  const bytes = entry.bytes === 'latin1' ? Uint8Array.from(text, (ch) => ch.charCodeAt(0)) : new TextEncoder().encode(text);
  let encoding = 'utf-8';
  try {
    new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    encoding = 'windows-1252';
  }
  const names = [], rawNames = [], xs = [], ys = [], codeOf = [];
  const codes = [], codeIndex = new Map();
  let start = 0;
  for (let end = bytes.indexOf(10); end >= 0; start = end + 1, end = bytes.indexOf(10, start)) {
    const raw = String.fromCharCode(...bytes.subarray(start, end));
    const tokens = raw.split(/[ \t\r]+/).filter((t) => t !== '');
    let k = 0;
    while (isNameWord(tokens[k])) ++k;
    const rawName = tokens.slice(0, k).join(' ');
    const nameBytes = Uint8Array.from(rawName, (ch) => ch.charCodeAt(0));
    names.push(encoding === 'utf-8' ? new TextDecoder().decode(nameBytes) : decode1252(nameBytes));
    rawNames.push(rawName);
    xs.push(coordinate(tokens[k]) * 10);
    ys.push(-coordinate(tokens[k + 1]) * 10);
    const rawCode = tokens[k + 2];
    if (!codeIndex.has(rawCode)) {
      const code = encoding === 'utf-8' ? new TextDecoder().decode(Uint8Array.from(rawCode, (c) => c.charCodeAt(0))) : decode1252(Uint8Array.from(rawCode, (c) => c.charCodeAt(0)));
      const row = legendRows.find((r) => r.code === rawCode);
      codeIndex.set(rawCode, codes.length);
      codes.push({ code, legendName: row ? row.name : null });
    }
    codeOf.push(codeIndex.get(rawCode));
  }
  return {
    count: names.length, x: Int32Array.from(xs), y: Int32Array.from(ys), code: Uint16Array.from(codeOf), codes,
    names, encoding, ...(encoding === 'windows-1252' ? { rawNames } : {}),
  };
}

// Every map of a table, by name.
export function mapsOf(table, legendRows = []) {
  return Object.fromEntries(Object.entries(table.maps).map(([name, entry]) => [name, mapOf(entry, legendRows)]));
}
