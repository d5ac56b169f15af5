// SPDX-License-Identifier: MIT
// The page's start and its state: the map, the view (kept in the
// address), the toggles, the distance lines, the route and the marked
// planet. Every change asks for one picture at the next animation frame.
// <html data-state="ready"> once the first picture is on screen and the
// page answers input; "failed" when the map could not be read.

import { decodePayload } from './data.js';
import { Viewport, FULL_EXTENT } from './viewport.js';
import { drawScene, makeFrameBuffer, TextCells } from './draw.js';
import { parseAddress, formatAddress } from './address.js';
import { attachGestures } from './gestures.js';
import { attachFinding, MapIndexes } from './finding.js';
import { showMeasureList } from './panels.js';
import { hoverText } from './rules/hover.js';
import { wholeLightYears } from './rules/lightyears.js';

const MAX_LINES = 32767;
const $ = (id) => document.getElementById(id);

function readConfig() {
  const c = JSON.parse($('kestrin-config').textContent);
  const lines = (c.measures ?? []).map(([x1, y1, x2, y2, lightYears]) => ({ x1, y1, x2, y2, lightYears }));
  return { ...c, lines };
}

class MapPage {
  constructor(map, config) {
    this.map = map;
    this.config = config;
    this.canvas = $('map');
    this.ctx = this.canvas.getContext('2d', { alpha: false });
    this.cells = new TextCells(map);
    this.lines = config.lines;
    this.routeLines = [];
    this.mark = -1;
    this.rubber = null;
    this.indexes = new MapIndexes(map);
    this.frameTimes = [];
    const fromAddress = parseAddress(location.hash);
    this.view = new Viewport(fromAddress.zoom ?? config.zoom, fromAddress.center ?? config.center, this.deviceSize());
    this.toggles = { legend: $('show-legend'), circles: $('show-circles'), truce: $('show-truce') };
    this.toggles.legend.checked = !!config.legend;
    this.toggles.circles.checked = !!config.circles;
    this.toggles.truce.checked = !!config.truce;
  }

  ratio() {
    return window.devicePixelRatio || 1;
  }

  deviceSize() {
    const r = this.ratio();
    return [Math.max(1, Math.round(window.innerWidth * r)), Math.max(1, Math.round(window.innerHeight * r))];
  }

  fitCanvas() {
    const [w, h] = this.deviceSize();
    if (this.canvas.width !== w || this.canvas.height !== h || !this.buffer) {
      this.canvas.width = w;
      this.canvas.height = h;
      this.buffer = makeFrameBuffer(w, h);
    }
    if (this.view.size[0] !== w || this.view.size[1] !== h) this.view = this.view.withSize([w, h]);
  }

  setView(view) {
    this.view = view;
    history.replaceState(null, '', formatAddress(view.zoom, view.center));
    this.requestDraw();
  }

  fullExtent() {
    this.setView(new Viewport([FULL_EXTENT, FULL_EXTENT], [0, 0], this.view.size));
  }

  measuring() {
    return $('measure-mode').checked;
  }

  addMeasure(a, b) {
    if (this.map.count === 0 || this.lines.length >= MAX_LINES) return;
    const [x1, y1] = this.view.toMap(a[0], a[1]);
    const [x2, y2] = this.view.toMap(b[0], b[1]);
    this.lines.push({ x1, y1, x2, y2, lightYears: wholeLightYears(x1, y1, x2, y2) });
    this.linesChanged();
  }

  removeMeasure(i) {
    this.lines.splice(i, 1);
    this.linesChanged();
  }

  linesChanged() {
    showMeasureList($('measure-list'), $('measure-total'), this.lines, (i) => this.removeMeasure(i));
    this.requestDraw();
  }

  setRubber(line) {
    this.rubber = line;
    this.requestDraw();
  }

  showTip(x, y, cssX, cssY) {
    const tip = $('tip');
    const text = this.map.count ? hoverText(this.indexes.hover(), this.view.mapping, x, y) : '';
    if (!text) return this.hideTip();
    tip.textContent = text;
    tip.hidden = false;
    const w = tip.offsetWidth, h = tip.offsetHeight;
    tip.style.left = `${Math.max(0, Math.min(cssX + 14, window.innerWidth - w - 2))}px`;
    tip.style.top = `${Math.max(0, cssY + 18 + h > window.innerHeight ? cssY - h - 6 : cssY + 18)}px`;
  }

  hideTip() {
    $('tip').hidden = true;
  }

  centerOn(planet) {
    this.mark = planet;
    this.setView(this.view.withCenter([this.map.x[planet], this.map.y[planet]]));
  }

  showRouteLines(lines) {
    this.routeLines = lines;
    this.requestDraw();
  }

  requestDraw() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => this.drawNow());
  }

  drawNow() {
    this.pending = false;
    const started = performance.now();
    this.fitCanvas();
    drawScene(this.ctx, this.buffer, {
      map: this.map, view: this.view, cells: this.cells, lines: this.lines.concat(this.routeLines),
      showCircles: this.toggles.circles.checked, showTruce: this.toggles.truce.checked,
      truceY: this.config.truceY ?? 0, showLegend: this.toggles.legend.checked, ratio: this.ratio(),
    });
    this.drawMarks();
    this.frameTimes.push(performance.now() - started);
  }

  // The chosen planet's ring and the line being dragged, over the map.
  drawMarks() {
    const ctx = this.ctx;
    const v = this.view;
    ctx.lineWidth = Math.max(1, Math.round(this.ratio()));
    if (this.mark >= 0) {
      const x = v.deviceX(this.map.x[this.mark]) + 0.5, y = v.deviceY(this.map.y[this.mark]) + 0.5;
      ctx.strokeStyle = '#fff';
      ctx.beginPath();
      ctx.arc(x, y, Math.max(10 * this.ratio(), 5 * v.scale + 6), 0, 2 * Math.PI);
      ctx.stroke();
    }
    if (this.rubber) {
      const [[x1, y1], [x2, y2]] = this.rubber;
      ctx.strokeStyle = '#fff';
      ctx.beginPath();
      ctx.moveTo(x1 + 0.5, y1 + 0.5);
      ctx.lineTo(x2 + 0.5, y2 + 0.5);
      ctx.stroke();
    }
  }

  attach() {
    attachGestures(this);
    attachFinding(this);
    for (const t of Object.values(this.toggles)) t.addEventListener('change', () => this.requestDraw());
    $('zoom-in').addEventListener('click', () => this.setView(this.view.zoomedAt(0.5, ...this.view.origin)));
    $('zoom-out').addEventListener('click', () => this.setView(this.view.zoomedAt(2, ...this.view.origin)));
    $('home').addEventListener('click', () => this.fullExtent());
    window.addEventListener('resize', () => this.requestDraw());
    window.addEventListener('hashchange', () => {
      const a = parseAddress(location.hash);
      this.setView(new Viewport(a.zoom ?? this.view.zoom, a.center ?? this.view.center, this.view.size));
    });
  }
}

function start() {
  const root = document.documentElement;
  try {
    performance.mark('kestrin-code');
    const map = decodePayload(window.kestrinMapBytes);
    performance.mark('kestrin-decoded');
    const page = new MapPage(map, readConfig());
    window.kestrinPage = page;
    page.attach();
    page.linesChanged();
    page.drawNow();
    performance.mark('kestrin-drawn');
    history.replaceState(null, '', formatAddress(page.view.zoom, page.view.center));
    requestAnimationFrame(() => {
      performance.mark('kestrin-ready');
      root.setAttribute('data-state', 'ready');
      page.indexes.prepare();
    });
  } catch (error) {
    root.setAttribute('data-state', 'failed');
    document.body.append(Object.assign(document.createElement('p'), {
      className: 'failure', textContent: `The map could not be shown: ${error.message}`,
    }));
    throw error;
  }
}

start();
