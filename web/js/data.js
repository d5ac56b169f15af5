// SPDX-License-Identifier: MIT
// The map carried by the page, read as the writer packed it
// (tools/WebPayload.h gives the layout) from the bytes boot.js inflated.
// The result is the map object the rule modules take:
//   { count, x, y (Int32Array, map units), names, code (Uint16Array: each
//     planet's index into codes), codes: [{ code, legendName, pen }],
//     encoding: 'utf-8' | 'windows-1252', pens: [[r, g, b]...],
//     legend: [{ text, code, pen }] }

const PAYLOAD_MAGIC = 'KSW1';

class PayloadReader {
  constructor(bytes) {
    this.bytes = bytes;
    this.at = 0;
    this.utf8 = new TextDecoder('utf-8');
  }
  need(n) {
    if (this.at + n > this.bytes.length) throw new Error('the map data is cut short');
  }
  u8() {
    this.need(1);
    return this.bytes[this.at++];
  }
  u16() {
    return this.u8() | (this.u8() << 8);
  }
  u32() {
    return (this.u16() | (this.u16() << 16)) >>> 0;
  }
  text(n) {
    this.need(n);
    const t = this.utf8.decode(this.bytes.subarray(this.at, this.at + n));
    this.at += n;
    return t;
  }
  shortText() {
    return this.text(this.u16());
  }
  // count values stored as `planes` byte planes, low byte first.
  planes(count, planes, Out) {
    this.need(count * planes);
    const out = new Out(count);
    for (let p = 0; p < planes; ++p) {
      const base = this.at + p * count;
      for (let i = 0; i < count; ++i) out[i] |= this.bytes[base + i] << (8 * p);
    }
    this.at += count * planes;
    return out;
  }
}

function readPalette(r) {
  const pens = [];
  for (let n = r.u8(), i = 0; i < n; ++i) pens.push([r.u8(), r.u8(), r.u8()]);
  const legend = [];
  for (let n = r.u8(), i = 0; i < n; ++i) {
    const pen = r.u8();
    const text = r.shortText();
    legend.push({ text, code: r.shortText(), pen });
  }
  return { pens, legend };
}

function readCodes(r, legend) {
  const codes = [];
  for (let n = r.u16(), i = 0; i < n; ++i) {
    const pen = r.u8();
    const code = r.shortText();
    const row = legend.find((l) => l.code === code);
    codes.push({ code, legendName: row ? row.text : '', pen });
  }
  return codes;
}

// Offsets from the least value, in planes, then scaled back to map units.
function readCoordinates(r, count, divisor) {
  const least = r.u32() | 0;
  const values = r.planes(count, r.u8(), Uint32Array);
  const out = new Int32Array(count);
  for (let i = 0; i < count; ++i) out[i] = (least + values[i]) * divisor;
  return out;
}

// The map from the inflated payload.
export function decodePayload(bytes) {
  const r = new PayloadReader(bytes);
  if (r.text(4) !== PAYLOAD_MAGIC) throw new Error('not a Kestrin map');
  const count = r.u32();
  const divisor = r.u32();
  const encoding = r.u8() === 0 ? 'utf-8' : 'windows-1252';
  const { pens, legend } = readPalette(r);
  const codes = readCodes(r, legend);
  const x = readCoordinates(r, count, divisor);
  const y = readCoordinates(r, count, divisor);
  const code = r.planes(count, r.u8(), Uint16Array);
  const joined = r.text(r.u32());
  const names = count === 0 ? [] : joined.split('\n');
  if (names.length !== count) throw new Error('the map data does not hold every name');
  return { count, x, y, names, code, codes, encoding, pens, legend };
}
