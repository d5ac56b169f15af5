// SPDX-License-Identifier: MIT
// Bytes as text in an HTML script element, five characters to four bytes:
// base 85, most significant digit first, over the printable ASCII
// characters less those that mean something in HTML or in a string
// ("<", ">", "&", quotes, backquote, backslash, "@"). A last group of n
// bytes (1 to 3) is n + 1 characters. The writer's Text85 (tools/) writes
// it; tests/web-cases/text85.json pins the two together.

export const TEXT85_DIGITS = [...Array(94).keys()]
  .map((i) => String.fromCharCode(33 + i))
  .filter((c) => !'<>&"\'`\\@'.includes(c))
  .slice(0, 85)
  .join('');

export function decode85(text) {
  const value = new Int16Array(128).fill(-1);
  for (let i = 0; i < 85; ++i) value[TEXT85_DIGITS.charCodeAt(i)] = i;
  const digits = [];
  for (let i = 0; i < text.length; ++i) {
    const code = text.charCodeAt(i);
    const v = code < 128 ? value[code] : -1;
    if (v >= 0) digits.push(v);
    else if (code > 32) throw new Error('the map data holds a character it cannot');
  }
  const rest = digits.length % 5;
  if (rest === 1) throw new Error('the map data is cut short');
  const out = new Uint8Array(Math.floor(digits.length / 5) * 4 + (rest ? rest - 1 : 0));
  let at = 0;
  for (let i = 0; i < digits.length; i += 5) {
    let n = 0;
    for (let k = 0; k < 5; ++k) n = n * 85 + (i + k < digits.length ? digits[i + k] : 84);
    for (let k = 0; k < 4 && at < out.length; ++k) out[at++] = Math.floor(n / 2 ** (24 - 8 * k)) & 255;
  }
  return out;
}
