# SPDX-License-Identifier: MIT
"""The web page that kestrin-render writes, in a real browser (headless
Chromium over the DevTools protocol): it draws the shapes on the pixels
the renderer's picture has, makes no request and reports no error, keeps
its view in its address, answers the wheel, drags, hover, search and
routes, and shows hostile names as text.

    page_browser_test.py KESTRIN_RENDER SAMPLE_MAP"""

import os
import random
import re
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

import cdp

RENDER = None
SAMPLE = None
BROWSER = None


def render(*args, check=True):
    done = subprocess.run([RENDER, *args], capture_output=True)
    if check and done.returncode not in (0, 1):
        raise AssertionError(f"kestrin-render {args}: {done.returncode} {done.stderr!r}")
    return done


def nameless_map(path, count=500, seed=7):
    """Planets without names over the whole light-year disc, in every pen."""
    codes = ["VH", "QT", "LMR", "OR", "ZA", "BND", "F", "E", "UL", "HSN", "TY", "NJ", "IX", "DM", "GW", "RPF", "S", "zz"]
    rnd = random.Random(seed)
    with open(path, "w") as f:
        for _ in range(count):
            f.write(f"{rnd.randint(-700, 700)} {rnd.randint(-700, 700)} {rnd.choice(codes)}\n")
        f.write("Morvath 5 137 QT\n")


def page_url(path, zoom=None, center=None):
    url = "file://" + urllib.parse.quote(os.path.abspath(path))
    if zoom is not None:
        url += f"#zoom={zoom}&center={center[0]},{center[1]}"
    return url


class PageTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory(prefix="kestrin-page-")
        self.tabs = []

    def tearDown(self):
        for tab in self.tabs:
            tab.close()
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def tab(self, width=800, height=600):
        tab = BROWSER.new_tab(width, height)
        self.tabs.append(tab)
        return tab

    def open(self, page, width=800, height=600, zoom=None, center=None):
        tab = self.tab(width, height)
        self.assertEqual(tab.open(page_url(page, zoom, center)), "ready")
        return tab

    def assertQuiet(self, tab, page):
        self.assertEqual(tab.problems(), [])
        own = page_url(page).split("#")[0]
        asked = [u for e in tab.events("Network.requestWillBeSent")
                 for u in [e["params"]["request"]["url"].split("#")[0]] if u != own]
        self.assertEqual(asked, [], "no request beyond the page itself")

    def view(self, tab):
        return tab.eval("location.hash")


class Agreement(PageTest):
    """Shapes land on the renderer's pixels (texts are masked: their glyphs
    come from another font engine)."""

    def compare(self, data, args, width, height, zoom, center, masks=()):
        ppm = self.path("view.ppm")
        render("--size", f"{width}x{height}", "--zoom", zoom, "--center", f"{center[0]},{center[1]}",
               *args, "-o", ppm, data)
        page = self.path("view.html")
        render(*args, "-o", page, data)
        tab = self.open(page, width, height, zoom, center)
        w, h, rgba = tab.canvas_pixels()
        pw, ph, rgb = cdp.read_ppm(ppm)
        self.assertEqual((w, h), (pw, ph))
        differ = []
        for y in range(h):
            for x in range(w):
                if any(m[0] <= x < m[2] and m[1] <= y < m[3] for m in masks):
                    continue
                i = (y * w + x)
                if rgba[4 * i:4 * i + 3] != rgb[3 * i:3 * i + 3]:
                    differ.append((x, y, tuple(rgba[4 * i:4 * i + 3]), tuple(rgb[3 * i:3 * i + 3])))
        self.assertEqual(differ[:12], [], f"{len(differ)} pixels differ at zoom {zoom}, centre {center}")
        self.assertQuiet(tab, page)
        return tab

    def test_planets_circles_truce_and_lines_at_many_views(self):
        data = self.path("nameless.dat")
        nameless_map(data)
        measures = [(-4000, -3000, 2500, 1800), (120, 130, 133, 90), (-9000, 20, 9000, -30)]
        args = ["--circles", "--truce"]
        for m in measures:
            args += ["--measure", ",".join(map(str, m))]
        views = [(800, 600, "12500", (0, 0)), (800, 600, "20", (120, 130)), (640, 480, "1562", (1000, -2000)),
                 (1280, 800, "3125x1562", (-300, 400)), (333, 777, "400", (-4000, 3000)),
                 (800, 600, "20", (6000, 0)), (800, 600, "97", (2500, 1800))]
        for width, height, zoom, center in views:
            z = [int(v) for v in zoom.split("x")] * (1 if "x" in zoom else 2)
            from_view = ViewMath(z[:2], center, (width, height))
            masks = [from_view.label_box(m) for m in measures] + [from_view.name_box(50, -1370)]
            self.compare(data, args, width, height, zoom, center, masks)


    def test_later_shapes_lie_over_earlier_names(self):
        data = self.path("names.dat")
        with open(data, "w") as f:
            f.write("WWWWWWWWWWWW -1 0 VH\nMMMMMMMM -3 -1 QT\n")
        ppm = self.path("names.ppm")
        render("--size", "800x600", "--zoom", "100", "--center", "0,0", "--circles", "-o", ppm, data)
        page = self.path("names.html")
        render("--circles", "-o", page, data)
        tab = self.open(page, 800, 600, "100", (0, 0))
        # The vertical axis (x = 0, device column 400) crosses both names,
        # drawn after them: in the picture and on the page it lies over them.
        w, h, rgba = tab.canvas_pixels()
        pw, ph, rgb = cdp.read_ppm(ppm)
        page_column = {tuple(rgba[4 * (y * w + 400):4 * (y * w + 400) + 3]) for y in range(300, 420)}
        picture_column = {tuple(rgb[3 * (y * pw + 400):3 * (y * pw + 400) + 3]) for y in range(300, 420)}
        self.assertEqual(picture_column, {(0, 128, 0)})
        self.assertEqual(page_column, picture_column)


class ViewMath:
    """The screen mapping, for placing masks and expectations."""

    def __init__(self, zoom, center, size):
        w, h = size
        self.ox, self.oy = w // 2, h // 2
        self.num, self.den = (w, zoom[0]) if w * zoom[1] <= h * zoom[0] else (h, zoom[1])
        self.center = center

    def device(self, x, y):
        def r(d):
            q = abs(d) * self.num * 2 + self.den
            q //= 2 * self.den
            return q if d >= 0 else -q
        return self.ox + r(x - self.center[0]), self.oy + r(y - self.center[1])

    def name_box(self, x, y):
        """Where the name of the planet at x, y may write."""
        left, top = self.device(x - 5, y + 5)
        s = self.num / self.den
        return (left - 1, top - 1, left + int(80 * s) + 3, top + int(16 * s) + 3)

    def label_box(self, m):
        mx = m[0] + int((m[2] - m[0]) / 2)
        my = m[1] + int((m[3] - m[1]) / 2)
        x, y = self.device(mx, my)
        s = self.num / self.den
        return (x - 1, y - 1, x + int(120 * s) + 3, y + int(16 * s) + 3)


class Quiet(PageTest):
    """No request, no error, and ready, whatever the map."""

    def write(self, name, text, expect_status=0):
        data = self.path(name)
        with open(data, "wb") as f:
            f.write(text)
        page = self.path(name + ".html")
        done = render("--legend", "--circles", "--truce", "-o", page, data)
        self.assertEqual(done.returncode, expect_status, done.stderr)
        return page

    def test_empty_sample_partial_and_big_maps(self):
        rnd = random.Random(3)
        big = "".join(f"P{i} {rnd.randint(-900, 900)} {rnd.randint(-900, 900)} {rnd.choice(['OR', 'VH', 'E'])}\n"
                      for i in range(32767)).encode()
        with open(SAMPLE, "rb") as f:
            sample = f.read()
        pages = [self.write("empty.dat", b""), self.write("sample.dat", sample),
                 self.write("partial.dat", b"Alpha 1 2 VH\n\nBeta 3 4 QT\n", 1), self.write("big.dat", big)]
        for page in pages:
            tab = self.open(page, 1280, 800)
            self.assertQuiet(tab, page)
        self.assertEqual(tab.eval("kestrinPage.map.count"), 32767)

    def test_a_damaged_page_says_so_instead_of_waiting(self):
        page = self.write("sample.dat", open(SAMPLE, "rb").read())
        with open(page, "rb") as f:
            text = f.read()
        start = text.index(b'id="kestrin-data">') + 2000
        with open(page, "wb") as f:
            f.write(text[:start] + b"0000000000" + text[start + 10:])
        tab = self.tab()
        self.assertEqual(tab.open(page_url(page)), "failed")
        self.assertTrue(tab.eval("document.querySelector('.failure').textContent").startswith("The map could not be shown: "))
        self.assertEqual(tab.requests(), [])

    def test_a_denser_screen_gets_a_pixel_per_device_pixel(self):
        page = self.path("sample.html")
        render("-o", page, SAMPLE)
        tab = BROWSER.new_tab(640, 480, ratio=2)
        self.tabs.append(tab)
        self.assertEqual(tab.open(page_url(page, "3125", (0, 0))), "ready")
        self.assertEqual(tab.eval("[innerWidth, innerHeight, devicePixelRatio]"), [640, 480, 2])
        self.assertEqual(tab.eval("(() => { const c = document.getElementById('map'); return [c.width, c.height]; })()"),
                         [1280, 960])
        # The same view: 3125 map units across the shorter side, now 960 pixels.
        self.assertEqual(tab.eval("[kestrinPage.view.num, kestrinPage.view.den]"), [960, 3125])
        self.assertQuiet(tab, page)

    def test_a_partial_load_gives_the_pictures_status_and_message(self):
        data = self.path("partial.dat")
        with open(data, "wb") as f:
            f.write(b"Alpha 1 2 VH\n\nBeta 3 4 QT\n")
        html = render("-o", self.path("p.html"), data)
        png = render("-o", self.path("p.png"), data)
        self.assertEqual((html.returncode, html.stderr), (png.returncode, png.stderr))
        self.assertEqual(html.returncode, 1)
        tab = self.open(self.path("p.html"))
        self.assertEqual(tab.eval("kestrinPage.map.names"), ["Alpha"])


class Gestures(PageTest):
    def setUp(self):
        super().setUp()
        self.data = self.path("nameless.dat")
        nameless_map(self.data, 200)
        self.page = self.path("g.html")
        render("-o", self.page, self.data)

    def map_at(self, tab, x, y):
        return tab.eval(f"kestrinPage.view.toMap({x}, {y})")

    def test_the_wheel_keeps_the_point_under_the_pointer(self):
        tab = self.open(self.page, 800, 600, "3125", (100, -50))
        for x, y, delta in [(100, 500, -120), (700, 80, -120), (400, 300, 120), (13, 590, -120)]:
            before = self.map_at(tab, x, y)
            tab.mouse("mouseWheel", x, y, deltaX=0, deltaY=delta)
            tab.eval("new Promise(r => requestAnimationFrame(() => r(1)))")
            after = self.map_at(tab, x, y)
            unit = tab.eval("Math.ceil(kestrinPage.view.den / kestrinPage.view.num)")
            self.assertLessEqual(abs(after[0] - before[0]), unit, (x, y, before, after))
            self.assertLessEqual(abs(after[1] - before[1]), unit, (x, y, before, after))
        self.assertQuiet(tab, self.page)

    def test_a_drag_moves_the_centre_and_the_address_follows(self):
        tab = self.open(self.page, 800, 600, "1250", (300, -400))  # 0.48 px a unit
        tab.mouse("mouseMoved", 100, 100)
        tab.mouse("mousePressed", 100, 100, "left", 1)
        tab.mouse("mouseMoved", 130, 115, "left", 1)
        tab.mouse("mouseMoved", 148, 124, "left", 1)
        tab.mouse("mouseReleased", 148, 124, "left", 0)
        tab.eval("new Promise(r => requestAnimationFrame(() => r(1)))")
        # 48 and 24 pixels at 600 / 1250 pixels a unit: 100 and 50 map units.
        self.assertEqual(self.view(tab), "#zoom=1250&center=200,-450")
        first = tab.canvas_pixels()
        again = self.open(self.page, 800, 600, "1250", (200, -450))
        self.assertEqual(again.canvas_pixels(), first, "the address opens the same picture")
        self.assertQuiet(tab, self.page)

    def touch(self, tab, kind, points):
        tab.send("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [
            {"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})
        tab.eval("new Promise(r => requestAnimationFrame(() => r(1)))")

    def test_a_finger_pans_and_two_pinch_around_their_middle(self):
        tab = self.open(self.page, 800, 600, "1250", (300, -400))
        tab.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 2})
        self.touch(tab, "touchStart", [(100, 100)])
        self.touch(tab, "touchMove", [(124, 112)])
        self.touch(tab, "touchMove", [(148, 124)])
        self.touch(tab, "touchEnd", [])
        self.assertEqual(self.view(tab), "#zoom=1250&center=200,-450")
        middle = self.map_at(tab, 400, 300)
        self.touch(tab, "touchStart", [(300, 300), (500, 300)])
        self.touch(tab, "touchMove", [(200, 300), (600, 300)])
        self.touch(tab, "touchEnd", [])
        zoom = int(self.view(tab).split("&")[0].split("=")[1])
        self.assertLess(zoom, 1250, "spreading the fingers zooms in")
        after = self.map_at(tab, 400, 300)
        unit = tab.eval("Math.ceil(kestrinPage.view.den / kestrinPage.view.num)")
        self.assertLessEqual(max(abs(after[0] - middle[0]), abs(after[1] - middle[1])), unit, (middle, after))
        self.assertQuiet(tab, self.page)

    def test_keys_home_and_a_right_drag_that_measures(self):
        tab = self.open(self.page, 800, 600, "1250", (300, -400))
        tab.send("Input.dispatchKeyEvent", {"type": "keyDown", "key": "0", "text": "0"})
        self.assertEqual(self.view(tab), "#zoom=12500&center=0,0")
        tab.send("Input.dispatchKeyEvent", {"type": "keyDown", "key": "+", "text": "+"})
        self.assertNotEqual(self.view(tab), "#zoom=12500&center=0,0")
        tab.mouse("mousePressed", 400, 300, "right", 2)
        tab.mouse("mouseMoved", 500, 300, "right", 2)
        tab.mouse("mouseReleased", 500, 300, "right", 0)
        lines = tab.eval("kestrinPage.lines")
        self.assertEqual(len(lines), 1)
        x1, y1, x2, y2 = (lines[0][k] for k in ("x1", "y1", "x2", "y2"))
        self.assertEqual(lines[0]["lightYears"], int(((x2 - x1) ** 2 + (y2 - y1) ** 2) ** 0.5) // 20)
        self.assertEqual(tab.eval("document.querySelector('#measure-list li').firstChild.textContent"),
                         f"{lines[0]['lightYears']} Light Years")
        tab.eval("document.querySelector('#measure-list button').click()")
        self.assertEqual(tab.eval("kestrinPage.lines.length"), 0)
        self.assertQuiet(tab, self.page)


class Finding(PageTest):
    def test_hover_search_and_route(self):
        page = self.path("sample.html")
        render("-o", page, SAMPLE)
        tab = self.open(page, 1000, 700)
        names = tab.eval("kestrinPage.map.names")
        first = names[0]
        x, y = tab.eval("[kestrinPage.view.deviceX(kestrinPage.map.x[0]), kestrinPage.view.deviceY(kestrinPage.map.y[0])]")
        tab.mouse("mouseMoved", x, y)
        tip = tab.eval("(() => { const t = document.querySelector('[role=tooltip]'); return t.hidden ? '' : t.textContent; })()")
        self.assertIn(first, tip)
        # Search: the suggestions are the page's suggest.js answer; choosing
        # centres the view on the planet.
        tab.eval("document.getElementById('find').focus()")
        tab.send("Input.insertText", {"text": first[:3]})
        shown = tab.eval("[...document.querySelectorAll('#suggestions li')].map(li => li.textContent)")
        self.assertIn(first, shown)
        tab.send("Input.dispatchKeyEvent", {"type": "keyDown", "key": "ArrowDown", "code": "ArrowDown"})
        chosen = tab.eval("document.querySelector('#suggestions li[aria-selected=true]').textContent")
        tab.send("Input.dispatchKeyEvent", {"type": "keyDown", "key": "Enter", "code": "Enter", "text": "\r"})
        at = tab.eval(f"(() => {{ const i = kestrinPage.map.names.indexOf({chosen!r}); return [kestrinPage.map.x[i], kestrinPage.map.y[i]]; }})()")
        self.assertTrue(self.view(tab).endswith(f"&center={at[0]},{at[1]}"))
        # Route: the same legs and total as kestrin-render --route.
        a, b = names[0], names[min(len(names) - 1, 40)]
        for jump in ("60", "3"):
            done = render("--route", a, b, "--jump", jump, SAMPLE, check=False)
            tab.eval(f"""(() => {{ document.getElementById('route-from').value = {a!r};
                document.getElementById('route-to').value = {b!r};
                document.getElementById('route-jump').value = {jump!r};
                document.querySelector('#route-form button[type=submit]').click(); }})()""")
            legs = tab.eval("[...document.querySelectorAll('#route-legs li')].map(li => li.textContent)")
            result = tab.eval("document.getElementById('route-result').textContent")
            if done.returncode == 0:
                self.assertEqual(legs + [result], done.stdout.decode().splitlines())
            else:
                self.assertEqual(done.returncode, 1)
                said = [l for l in done.stderr.decode().splitlines() if l.startswith("kestrin-render: ")]
                self.assertEqual(["kestrin-render: " + result], said)
        self.assertQuiet(tab, page)


class Hostile(PageTest):
    def test_names_run_nothing_and_show_literally(self):
        names = [b"<script>window.owned=1</script>", b"<img src=x onerror=window.owned=2>",
                 b"\"quoted\" 'too' &amp;", b"ctl\x01\x02bell\x07", b"bad\xff\xfeutf"]
        data = self.path("<b>&\"odd'.dat")
        with open(data, "wb") as f:
            for i, n in enumerate(names):
                f.write(n + b" %d %d VH\n" % (i * 3, i * 2))
        page = self.path("hostile.html")
        render("--legend", "-o", page, data)
        tab = self.open(page, 800, 600, "200", (0, -40))
        self.assertEqual(tab.eval("window.owned === undefined"), True)
        self.assertEqual(tab.eval("document.title"), "<b>&\"odd'.dat - Kestrin")
        self.assertEqual(tab.eval("document.querySelectorAll('img, b').length"), 0)
        shown = tab.eval("kestrinPage.map.names")
        # Bytes that are not UTF-8 make the map Windows-1252, as the window reads it.
        expected = [n.decode("cp1252", errors="replace") for n in names]
        self.assertEqual(shown, expected)
        tab.eval("document.getElementById('find').focus()")
        tab.send("Input.insertText", {"text": "<"})
        items = tab.eval("[...document.querySelectorAll('#suggestions li')].map(li => [li.textContent, li.children.length])")
        self.assertEqual(items, [[expected[0], 0], [expected[1], 0]])
        self.assertQuiet(tab, page)


def main():
    global RENDER, SAMPLE, BROWSER
    if cdp.chromium_path() is None:
        print("chromium is not installed (scripts/deps test)", file=sys.stderr)
        return 1
    RENDER, SAMPLE = sys.argv[1], sys.argv[2]
    BROWSER = cdp.Browser()
    try:
        program = unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[3:], exit=False)
    finally:
        BROWSER.close()
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
