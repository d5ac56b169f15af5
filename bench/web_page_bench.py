#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The web page's figures on the realistic benchmark map, in headless
Chromium over the DevTools pipe (tests/web/cdp.py), each beside its anchor
from the same run:

  size    the page's bytes, against the map file and a GeoJSON export of
          the same planets (name, faction, point)
  ready   navigation start to <html data-state="ready">, median of five
          fresh tabs, against the same browser's load of a blank page
  frames  the time to draw a frame (the page's own drawing, from the
          request to the pixels handed to the canvas) at the 95th
          percentile, while a 60-step drag pans and 10 wheel steps zoom,
          at every zoom from the full extent to 20; window 1280 x 800
  route   a route at 50 light years between the planets nearest two
          opposite corners, in the page once it has made its indexes
          (while idle after the first picture), against kestrin-render
          --route as a whole process

    web_page_bench.py KESTRIN_RENDER MAP.dat [--runs N]

Prints one line per figure with the load average when it was taken."""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import cdp  # noqa: E402

WIDTH, HEIGHT = 1280, 800
ZOOMS = [12500, 6250, 3125, 1562, 781, 390, 195, 97, 48, 20]


def load():
    return " ".join(f"{v:.2f}" for v in os.getloadavg())


def say(figure, value, anchor=""):
    print(f"{figure}: {value}" + (f"  [anchor: {anchor}]" if anchor else "") + f"  (load {load()})", flush=True)


def planets(path):
    """(name, x, y, code) as the loader reads a well-formed line (file units)."""
    out = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            if line.startswith(";"):
                continue
            t = line.split()
            i = next(k for k, w in enumerate(t) if w[0].isdigit() or w[0] == "-")
            out.append((" ".join(t[:i]), int(float(t[i])), int(float(t[i + 1])), t[i + 2]))
    return out


def geojson_bytes(ps):
    features = [{"type": "Feature", "properties": {"name": n, "faction": c},
                 "geometry": {"type": "Point", "coordinates": [x, y]}} for n, x, y, c in ps]
    return len(json.dumps({"type": "FeatureCollection", "features": features}).encode())


def url(path, fragment=""):
    return "file://" + urllib.parse.quote(os.path.abspath(path)) + fragment


def ready_times(browser, page, runs):
    times = []
    for _ in range(runs):
        tab = browser.new_tab(WIDTH, HEIGHT)
        assert tab.open(url(page), 60) == "ready"
        times.append(tab.eval("performance.getEntriesByName('kestrin-ready')[0].startTime"))
        tab.close()
    return times


def blank_times(browser, blank, runs):
    times = []
    for _ in range(runs):
        tab = browser.new_tab(WIDTH, HEIGHT)
        assert tab.open(url(blank), 60) == "ready"
        times.append(tab.eval("new Promise(r => setTimeout(() => r(performance.getEntriesByType('navigation')[0].loadEventEnd), 50))"))
        tab.close()
    return times


NEXT_FRAME = "new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => r(1))))"


def frame_times(browser, page, zoom):
    tab = browser.new_tab(WIDTH, HEIGHT)
    assert tab.open(url(page, f"#zoom={zoom}&center=0,0"), 60) == "ready"
    tab.eval("kestrinPage.frameTimes.length = 0")
    x, y = 300, 300
    tab.mouse("mouseMoved", x, y)
    tab.mouse("mousePressed", x, y, "left", 1)
    for step in range(60):
        x += 8
        y += 3 if step < 30 else -3
        tab.mouse("mouseMoved", x, y, "left", 1)
        tab.eval(NEXT_FRAME)
    tab.mouse("mouseReleased", x, y, "left", 0)
    for step in range(10):
        tab.mouse("mouseWheel", 640, 400, deltaX=0, deltaY=-120 if step % 2 == 0 else 120)
        tab.eval(NEXT_FRAME)
    times = tab.eval("kestrinPage.frameTimes")
    tab.close()
    return times


def p95(values):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(0.95 * (len(ordered) - 1))))]


def corners(ps):
    xs = [p[1] for p in ps]
    ys = [p[2] for p in ps]
    lo = (min(xs), min(ys))
    hi = (max(xs), max(ys))
    near = lambda c: min(range(len(ps)), key=lambda i: (ps[i][1] - c[0]) ** 2 + (ps[i][2] - c[1]) ** 2)
    return ps[near(lo)][0], ps[near(hi)][0]


def route_in_page(browser, page, a, b):
    tab = browser.new_tab(WIDTH, HEIGHT)
    assert tab.open(url(page), 60) == "ready"
    # As a player would, after the page has made its indexes while idle.
    deadline = time.monotonic() + 20
    while not tab.eval("!!kestrinPage.indexes.made.routes") and time.monotonic() < deadline:
        time.sleep(0.1)
    tab.eval(f"""(() => {{ document.getElementById('route-from').value = {json.dumps(a)};
        document.getElementById('route-to').value = {json.dumps(b)};
        document.getElementById('route-jump').value = '50'; }})()""")
    times = []
    for _ in range(5):
        times.append(tab.eval("""(() => { const t0 = performance.now();
            document.querySelector('#route-form button[type=submit]').click();
            return performance.now() - t0; })()"""))
    lines = tab.eval("[...document.querySelectorAll('#route-legs li')].map(li => li.textContent)"
                     ".concat([document.getElementById('route-result').textContent])")
    tab.close()
    return times, lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("render")
    parser.add_argument("map")
    parser.add_argument("--runs", type=int, default=5)
    o = parser.parse_args()
    work = tempfile.mkdtemp(prefix="kestrin-web-bench-")
    page = os.path.join(work, "realistic.html")
    subprocess.run([o.render, "--legend", "-o", page, o.map], check=True, capture_output=True)
    ps = planets(o.map)
    say("page size", f"{os.path.getsize(page)} bytes ({os.path.getsize(page) / 1024:.1f} KiB)",
        f"map file {os.path.getsize(o.map)} bytes, GeoJSON {geojson_bytes(ps)} bytes")
    blank = os.path.join(work, "blank.html")
    with open(blank, "w") as f:
        f.write('<!DOCTYPE html><html data-state="ready"><title>blank</title></html>')
    browser = cdp.Browser(WIDTH, HEIGHT)
    try:
        blank_ms = blank_times(browser, blank, o.runs)
        ready_ms = ready_times(browser, page, o.runs)
        say("navigation start to data-state=ready, median of %d" % o.runs,
            f"{statistics.median(ready_ms):.0f} ms ({min(ready_ms):.0f}-{max(ready_ms):.0f})",
            f"blank page loaded {statistics.median(blank_ms):.0f} ms ({min(blank_ms):.0f}-{max(blank_ms):.0f})")
        everything = []
        for zoom in ZOOMS:
            times = frame_times(browser, page, zoom)
            everything += times
            say(f"frame at zoom {zoom}, p95 of {len(times)}", f"{p95(times):.1f} ms (median {statistics.median(times):.1f})")
        say(f"frame, every zoom, p95 of {len(everything)}", f"{p95(everything):.1f} ms")
        a, b = corners(ps)
        started = time.monotonic()
        done = subprocess.run([o.render, "--route", a, b, "--jump", "50", o.map], capture_output=True)
        command_ms = (time.monotonic() - started) * 1000
        times, lines = route_in_page(browser, page, a, b)
        same = lines == done.stdout.decode().splitlines()
        say("route at 50 light years in the page (first, then median of the rest)",
            f"{times[0]:.0f} ms, {statistics.median(times[1:]):.0f} ms; same legs as --route: {same}",
            f"kestrin-render --route, whole process {command_ms:.0f} ms")
    finally:
        browser.close()


if __name__ == "__main__":
    main()
