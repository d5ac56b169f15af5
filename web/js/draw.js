// SPDX-License-Identifier: MIT
// One picture of the map on the page's canvas, drawn as the viewer draws
// its window: black background; each planet in file order, its circle (10
// map units across) in its faction's colour and its name below-left of it
// in an opaque black cell; the distance lines in yellow with their labels
// at their midpoints; the light-year circles with their axes in dark
// green; the truce line in purple; the legend at the top-left corner.
// Circles, lines and cells are written into pixel memory by raster.js;
// the glyphs of texts large enough to read are then written over them by
// the canvas, in the same order.

import { ellipseBox, fillBox, line, makeTarget, rgbaWord } from './raster.js';
import { lightYearsLabel } from './rules/lightyears.js';

const PLANET_RADIUS_UNITS = 5;
// The map font: 11 map units high, so names scale with the map.
const MAP_FONT_UNITS = 11;
const MAP_FONT = '11px Arial, "Liberation Sans", sans-serif';
// Below this many device pixels a name's glyphs are not drawn (its cell
// still is): nothing of them could be read.
const GLYPH_MIN_PIXELS = 3;
const CIRCLE_RADII = [2000, 4000, 6000];
const OVERLAY_HALF_WIDTH = 6000;
const LEGEND_ROW = 14;
const LEGEND_FONT = 12;
const BLACK = rgbaWord(0, 0, 0);
// A text's cell: black too, one step short of opaque, so that the pixels a
// shape wrote last can be told from those a cell covered (the canvas is
// opaque, so both show black).
const CELL = (BLACK & 0x00ffffff) | 0xfe000000;
const YELLOW = [255, 255, 0];
const DARK_GREEN = [0, 128, 0];
const PURPLE = [128, 0, 128];

const cssColor = ([r, g, b]) => `rgb(${r},${g},${b})`;
const wordOf = ([r, g, b]) => rgbaWord(r, g, b);

// The map font's cell in map units: the advance width of a text, and the
// height of ascent and descent, each to the whole pixel above as the
// viewer's font engine gives them at this size. A whole name is measured
// where its glyphs are drawn; where they are not, its width is the sum of
// its characters' (pairs kerned closer differ by a small part of a map
// unit, far below a pixel there), which costs little for every planet.
export class TextCells {
  constructor(map) {
    this.map = map;
    this.widths = new Float64Array(map.count).fill(-1);
    this.sums = new Float64Array(map.count).fill(-1);
    this.advances = new Map();
    const ctx = new OffscreenCanvas(1, 1).getContext('2d');
    ctx.font = MAP_FONT;
    this.ctx = ctx;
    const m = ctx.measureText('Mg');
    this.ascent = Math.ceil(m.fontBoundingBoxAscent ?? 10);
    this.height = this.ascent + Math.ceil(m.fontBoundingBoxDescent ?? 3);
  }
  planetWidth(i, exact) {
    if (exact) {
      if (this.widths[i] < 0) this.widths[i] = this.width(this.map.names[i]);
      return this.widths[i];
    }
    if (this.sums[i] < 0) this.sums[i] = this.summed(this.map.names[i]);
    return this.sums[i];
  }
  summed(text) {
    let w = 0;
    for (const c of text) {
      let a = this.advances.get(c);
      if (a === undefined) this.advances.set(c, (a = this.width(c)));
      w += a;
    }
    return w;
  }
  width(text) {
    return this.ctx.measureText(text).width;
  }
}

// A text's cell at device point (x, y), and its glyphs for later when they
// are large enough to read.
function addText(frame, x, y, text, width, color) {
  const { target: t, view, cells, texts } = frame;
  if (text.length === 0) return;
  const s = view.scale;
  const right = x + width * s;
  const bottom = y + cells.height * s;
  if (x > t.width || y > t.height || right < 0 || bottom < 0) return;
  fillBox(t, x, y, right, bottom, CELL);
  if (MAP_FONT_UNITS * s >= GLYPH_MIN_PIXELS) texts.push({ text, x, y, color, right, bottom });
}

function drawPlanets(frame, map) {
  const { target: t, view: v, cells } = frame;
  const words = map.codes.map((c) => wordOf(map.pens[c.pen] ?? [255, 255, 255]));
  const styles = map.codes.map((c) => cssColor(map.pens[c.pen] ?? [255, 255, 255]));
  const r = PLANET_RADIUS_UNITS;
  const s = v.scale;
  const exact = MAP_FONT_UNITS * s >= GLYPH_MIN_PIXELS;
  const cellHeight = cells.height * s;
  for (let i = 0; i < map.count; ++i) {
    const x = map.x[i];
    const y = map.y[i];
    const left = v.deviceX(x - r);
    const right = v.deviceX(x + r);
    const top = v.deviceY(y - r);
    const bottom = v.deviceY(y + r);
    const code = map.code[i];
    ellipseBox(t, Math.min(left, right), Math.min(top, bottom), Math.max(left, right), Math.max(top, bottom), words[code]);
    if (map.names[i].length === 0 || left > t.width || bottom > t.height || bottom + cellHeight < 0) continue;
    // The summed width decides cheaply whether a name left of the view
    // can reach it (kerning takes off far less than a tenth).
    if (left + cells.planetWidth(i, false) * 1.1 * s + 2 < 0) continue;
    addText(frame, left, bottom, map.names[i], cells.planetWidth(i, exact), styles[code]);
  }
}

// Distance lines: [{ x1, y1, x2, y2, lightYears }] in map units.
function drawLines(frame, lines) {
  const { target: t, view: v, cells } = frame;
  const word = wordOf(YELLOW);
  for (const m of lines) {
    line(t, v.deviceX(m.x1), v.deviceY(m.y1), v.deviceX(m.x2), v.deviceY(m.y2), word);
    const midX = m.x1 + Math.trunc((m.x2 - m.x1) / 2);
    const midY = m.y1 + Math.trunc((m.y2 - m.y1) / 2);
    const label = lightYearsLabel(m.lightYears);
    addText(frame, v.deviceX(midX), v.deviceY(midY), label, cells.width(label), cssColor(YELLOW));
  }
}

function drawCircles(frame) {
  const { target: t, view: v } = frame;
  const word = wordOf(DARK_GREEN);
  for (const r of CIRCLE_RADII) ellipseBox(t, v.deviceX(-r), v.deviceY(-r), v.deviceX(r), v.deviceY(r), word);
  const h = OVERLAY_HALF_WIDTH;
  line(t, v.deviceX(-h), v.deviceY(0), v.deviceX(h), v.deviceY(0), word);
  line(t, v.deviceX(0), v.deviceY(-h), v.deviceX(0), v.deviceY(h), word);
}

function drawTruce(frame, y) {
  const { target: t, view: v } = frame;
  const h = OVERLAY_HALF_WIDTH;
  line(t, v.deviceX(-h), v.deviceY(y), v.deviceX(h), v.deviceY(y), wordOf(PURPLE));
}

// The glyphs, in drawing order, each over its own cell again (so that a
// later cell covers an earlier name's glyphs, as in the window); then the
// shapes' pixels that were drawn after the cells under them, so that a
// later circle or line lies over a name's glyphs too.
function drawGlyphs(ctx, frame, buffer) {
  if (frame.texts.length === 0) return;
  const s = frame.view.scale;
  ctx.font = MAP_FONT;
  ctx.textBaseline = 'alphabetic';
  for (const g of frame.texts) {
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = '#000';
    const [l, r] = [Math.round(g.x), Math.round(g.right)];
    const [t, b] = [Math.round(g.y), Math.round(g.bottom)];
    ctx.fillRect(l, t, r - l, b - t);
    ctx.setTransform(s, 0, 0, s, g.x, g.y);
    ctx.fillStyle = g.color;
    ctx.fillText(g.text, 0, frame.cells.ascent);
  }
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  layShapesOverCells(ctx, frame, buffer);
}

// Over the cells just drawn (only there can glyphs have covered them), the
// pixels that shapes wrote last.
function layShapesOverCells(ctx, frame, buffer) {
  const { width, height, pixels } = frame.target;
  const shapes = buffer.shapes.pixels;
  shapes.fill(0);
  let left = width, top = height, right = 0, bottom = 0;
  for (const g of frame.texts) {
    const l = Math.max(Math.round(g.x), 0), r = Math.min(Math.round(g.right), width);
    const t = Math.max(Math.round(g.y), 0), b = Math.min(Math.round(g.bottom), height);
    if (l >= r || t >= b) continue;
    [left, top, right, bottom] = [Math.min(left, l), Math.min(top, t), Math.max(right, r), Math.max(bottom, b)];
    for (let y = t; y < b; ++y) {
      for (let i = y * width + l, end = y * width + r; i < end; ++i) {
        const p = pixels[i];
        if (p >>> 24 === 0xff && (p & 0xffffff) !== 0) shapes[i] = p;
      }
    }
  }
  if (left >= right || top >= bottom) return;
  const w = right - left, h = bottom - top;
  buffer.layerCtx.clearRect(left, top, w, h);
  buffer.layerCtx.putImageData(buffer.shapes.image, 0, 0, left, top, w, h);
  ctx.drawImage(buffer.layer, left, top, w, h, left, top, w, h);
}

// The legend's rows, 14 pixels apart at one device pixel per CSS pixel,
// each name in its faction's colour on black.
function drawLegend(ctx, map, ratio) {
  const row = Math.round(LEGEND_ROW * ratio);
  ctx.font = `${Math.round(LEGEND_FONT * ratio)}px sans-serif`;
  ctx.textBaseline = 'top';
  map.legend.forEach((entry, i) => {
    const w = ctx.measureText(entry.text).width;
    ctx.fillStyle = '#000';
    ctx.fillRect(0, row * i, Math.ceil(w), row);
    ctx.fillStyle = cssColor(map.pens[entry.pen] ?? [255, 255, 255]);
    ctx.fillText(entry.text, 0, row * i);
  });
}

// The picture pixels of one size, reused from frame to frame.
export function makeFrameBuffer(width, height) {
  const target = makeTarget(width, height);
  const image = new ImageData(new Uint8ClampedArray(target.pixels.buffer), width, height);
  const shapes = new Uint32Array(width * height);
  const layer = new OffscreenCanvas(width, height);
  return {
    target, image, layer, layerCtx: layer.getContext('2d'),
    shapes: { pixels: shapes, image: new ImageData(new Uint8ClampedArray(shapes.buffer), width, height) },
  };
}

// Draws scene onto ctx through buffer (of the canvas's size):
//   { map, view, cells, lines, showCircles, showTruce, truceY, showLegend,
//     ratio (device pixels per CSS pixel) }
export function drawScene(ctx, buffer, scene) {
  const frame = { target: buffer.target, view: scene.view, cells: scene.cells, texts: [] };
  frame.target.pixels.fill(BLACK);
  drawPlanets(frame, scene.map);
  drawLines(frame, scene.lines);
  if (scene.showCircles) drawCircles(frame);
  if (scene.showTruce) drawTruce(frame, scene.truceY);
  ctx.putImageData(buffer.image, 0, 0);
  drawGlyphs(ctx, frame, buffer);
  if (scene.showLegend) drawLegend(ctx, scene.map, scene.ratio);
}
