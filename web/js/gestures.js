// SPDX-License-Identifier: MIT
// The map's gestures, by web-map habits: the wheel, a pinch, "+" and "-"
// zoom around the pointer; a left drag, a one-finger drag and the arrow
// keys pan; "0" or Home returns to the full extent; a right drag, or any
// drag while Measure is on, draws a distance line. Resting the pointer on
// planets shows their tip. Pointer positions are taken in device pixels.
//
// The app: { canvas, ratio(), view, setView(v), fullExtent(),
//   measuring(), addMeasure(a, b), setRubber(line | null),
//   showTip(x, y, cssX, cssY), hideTip() }

const WHEEL_STEP = Math.SQRT2;
const KEY_STEP = 2;
// Arrow keys pan by this share of the canvas.
const PAN_SHARE = 8;

function devicePoint(app, e) {
  const box = app.canvas.getBoundingClientRect();
  const r = app.ratio();
  return [Math.round((e.clientX - box.left) * r), Math.round((e.clientY - box.top) * r)];
}

const gap = (a, b) => Math.hypot(a[0] - b[0], a[1] - b[1]);
const middle = (a, b) => [Math.round((a[0] + b[0]) / 2), Math.round((a[1] + b[1]) / 2)];

// Two fingers: the zoom follows their spread, around their middle.
function pinchTo(app, g) {
  const [a, b] = [...g.pointers.values()];
  const spread = gap(a, b);
  if (g.pinch.spread > 0 && spread > 0) {
    const at = middle(a, b);
    app.setView(g.pinch.view.zoomedAt(g.pinch.spread / spread, at[0], at[1]).dragged(g.pinch.at, at));
  }
}

function onDown(app, g, e) {
  app.hideTip();
  app.canvas.focus();
  app.canvas.setPointerCapture(e.pointerId);
  const p = devicePoint(app, e);
  g.pointers.set(e.pointerId, p);
  if (g.pointers.size === 2) {
    const [a, b] = [...g.pointers.values()];
    g.drag = null;
    app.setRubber(null);
    g.pinch = { spread: gap(a, b), at: middle(a, b), view: app.view };
    return;
  }
  if (g.pointers.size > 2) return;
  const measure = e.button === 2 || (e.button === 0 && app.measuring());
  if (e.button !== 0 && e.button !== 2) return;
  g.drag = { kind: measure ? 'measure' : 'pan', start: p, view: app.view };
}

function onMove(app, g, e) {
  const p = devicePoint(app, e);
  g.last = p;
  if (!g.pointers.has(e.pointerId)) {
    if (e.pointerType === 'mouse' && e.buttons === 0) app.showTip(p[0], p[1], e.clientX, e.clientY);
    return;
  }
  g.pointers.set(e.pointerId, p);
  if (g.pinch && g.pointers.size === 2) return pinchTo(app, g);
  if (!g.drag) return;
  if (g.drag.kind === 'pan') app.setView(g.drag.view.dragged(g.drag.start, p));
  else app.setRubber([g.drag.start, p]);
}

function onUp(app, g, e) {
  if (!g.pointers.has(e.pointerId)) return;
  const p = devicePoint(app, e);
  g.pointers.delete(e.pointerId);
  if (g.pointers.size < 2) g.pinch = null;
  const drag = g.drag;
  g.drag = null;
  if (!drag) return;
  if (drag.kind === 'pan') {
    app.setView(drag.view.dragged(drag.start, p));
    return;
  }
  app.setRubber(null);
  if (e.type === 'pointerup' && (p[0] !== drag.start[0] || p[1] !== drag.start[1])) app.addMeasure(drag.start, p);
}

function zoomAround(app, g, factor) {
  const c = app.canvas;
  const at = g.last ?? [Math.trunc(c.width / 2), Math.trunc(c.height / 2)];
  app.setView(app.view.zoomedAt(factor, at[0], at[1]));
}

function onKey(app, g, e) {
  if (e.target instanceof HTMLInputElement || e.altKey || e.ctrlKey || e.metaKey) return;
  const c = app.canvas;
  const stepX = Math.trunc(c.width / PAN_SHARE);
  const stepY = Math.trunc(c.height / PAN_SHARE);
  const pans = { ArrowLeft: [-stepX, 0], ArrowRight: [stepX, 0], ArrowUp: [0, -stepY], ArrowDown: [0, stepY] };
  if (e.key === '+' || e.key === '=') zoomAround(app, g, 1 / KEY_STEP);
  else if (e.key === '-' || e.key === '_') zoomAround(app, g, KEY_STEP);
  else if (e.key === '0' || e.key === 'Home') app.fullExtent();
  else if (pans[e.key]) app.setView(app.view.dragged(pans[e.key], [0, 0]));
  else return;
  e.preventDefault();
}

export function attachGestures(app) {
  const g = { pointers: new Map(), drag: null, pinch: null, last: null };
  const c = app.canvas;
  c.addEventListener('pointerdown', (e) => onDown(app, g, e));
  c.addEventListener('pointermove', (e) => onMove(app, g, e));
  c.addEventListener('pointerup', (e) => onUp(app, g, e));
  c.addEventListener('pointercancel', (e) => onUp(app, g, e));
  c.addEventListener('pointerleave', () => {
    g.last = null;
    app.hideTip();
  });
  c.addEventListener('contextmenu', (e) => e.preventDefault());
  c.addEventListener('wheel', (e) => {
    e.preventDefault();
    if (e.deltaY === 0) return;
    const p = devicePoint(app, e);
    app.hideTip();
    app.setView(app.view.zoomedAt(e.deltaY > 0 ? WHEEL_STEP : 1 / WHEEL_STEP, p[0], p[1]));
  }, { passive: false });
  window.addEventListener('keydown', (e) => onKey(app, g, e));
}
