// SPDX-License-Identifier: MIT
// Letters compared without regard to case, as the viewer folds them: each
// capital becomes its small letter for the alphabets a map of an invented
// setting is written in (Latin, including every letter of Windows-1252,
// Greek and Cyrillic); anything else stays as it is. One letter always
// folds to one letter, so folding never moves a match across a word.

// Blocks where capitals and small letters alternate: [first, last,
// capital on an even code point].
const ALTERNATING = [
  [0x0100, 0x012f, true], [0x0132, 0x0137, true], [0x0139, 0x0148, false],
  [0x014a, 0x0177, true], [0x0179, 0x017e, false], [0x0460, 0x0481, true],
  [0x048a, 0x04bf, true], [0x1e00, 0x1e95, true], [0x1ea0, 0x1eff, true],
];

// Blocks whose capitals sit a fixed distance below their small letters.
const SHIFTED = [
  [0x41, 0x5a, 0x20], [0x00c0, 0x00d6, 0x20], [0x00d8, 0x00de, 0x20],
  [0x0388, 0x038a, 0x25], [0x038e, 0x038f, 0x3f], [0x0391, 0x03a1, 0x20],
  [0x03a3, 0x03ab, 0x20], [0x0400, 0x040f, 0x50], [0x0410, 0x042f, 0x20],
];

// Capitals (and the final sigma and long s) with partners of their own.
const SINGLES = new Map([
  [0x0178, 0x00ff], [0x017f, 0x73], [0x0386, 0x03ac], [0x038c, 0x03cc], [0x03c2, 0x03c3], [0x1e9e, 0x00df],
]);

// One code point folded.
export function foldCodePoint(c) {
  for (const [first, last, by] of SHIFTED) if (c >= first && c <= last) return c + by;
  if (c < 0x100) return c;
  for (const [first, last, capitalEven] of ALTERNATING) {
    if (c >= first && c <= last) return (c % 2 === 0) === capitalEven ? c + 1 : c;
  }
  return SINGLES.get(c) ?? c;
}

// Typed text as the viewer's code receives it from the toolkit: each lone
// surrogate (half of a character, which a text field may still hold)
// becomes "?", the toolkit's UTF-8 conversion of it.
export function wellFormed(text) {
  return text.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g, '?');
}

// Text with every letter folded.
export function foldCase(text) {
  if (/^[\x00-\x7f]*$/.test(text)) return text.replace(/[A-Z]+/g, (s) => s.toLowerCase());
  let out = '';
  for (const ch of wellFormed(text)) out += String.fromCodePoint(foldCodePoint(ch.codePointAt(0)));
  return out;
}
