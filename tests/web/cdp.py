# SPDX-License-Identifier: MIT
"""A headless Chromium driven over the DevTools protocol, through the pipe
that --remote-debugging-pipe opens (the browser reads commands on fd 3 and
writes answers and events on fd 4, each a JSON text ended by a NUL byte).
Python's standard library only. One browser serves a whole test program;
each page gets a tab of its own."""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import time


def chromium_path():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        found = shutil.which(name)
        if found:
            return found
    return None


class Browser:
    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="kestrin-cdp-")
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def onto_3_and_4():
            a = os.dup(to_browser_r)
            b = os.dup(from_browser_w)
            os.dup2(a, 3)
            os.dup2(b, 4)

        args = [chromium_path(), "--headless=new", "--remote-debugging-pipe", "--no-first-run",
                "--no-default-browser-check", "--disable-gpu", "--disable-extensions",
                "--disable-background-networking", "--disable-sync", "--disable-component-update",
                "--hide-scrollbars", "--force-device-scale-factor=1", "--mute-audio",
                f"--window-size={width},{height}", f"--user-data-dir={self.profile}", "about:blank"]
        if os.geteuid() == 0:
            args.insert(1, "--no-sandbox")
        self.proc = subprocess.Popen(args, pass_fds=(3, 4), preexec_fn=onto_3_and_4,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []

    def close(self):
        try:
            self.send("Browser.close")
        except Exception:
            pass
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    def _read_message(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def send(self, method, params=None, session=None, timeout=60):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        data = json.dumps(message).encode() + b"\0"
        while data:
            data = data[os.write(self.to_browser, data):]
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            answer = self._read_message()
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer.get("result", {})
            self.events.append(answer)
        raise TimeoutError(method)

    def new_tab(self, width, height, ratio=1):
        target = self.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        tab = Tab(self, target, session)
        for domain in ("Page", "Runtime", "Network", "Log"):
            tab.send(f"{domain}.enable")
        tab.send("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": False})
        return tab


class Tab:
    def __init__(self, browser, target, session):
        self.browser = browser
        self.target = target
        self.session = session

    def send(self, method, params=None, timeout=60):
        return self.browser.send(method, params, self.session, timeout)

    def close(self):
        self.browser.send("Target.closeTarget", {"targetId": self.target})

    def events(self, method=None):
        return [e for e in self.browser.events
                if e.get("sessionId") == self.session and (method is None or e.get("method") == method)]

    def eval(self, expression, timeout=60):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression[:60]}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def open(self, url, timeout=30):
        self.send("Page.navigate", {"url": url})
        deadline = time.monotonic() + timeout
        state = None
        while time.monotonic() < deadline:
            try:
                state = self.eval("document.documentElement.getAttribute('data-state')")
            except RuntimeError:
                state = None
            if state in ("ready", "failed"):
                return state
            time.sleep(0.05)
        return state

    def canvas_pixels(self):
        """The map canvas as (width, height, RGBA bytes)."""
        text = self.eval("""(() => {
            const c = document.getElementById('map');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let s = '';
            for (let i = 0; i < d.length; i += 32768) s += String.fromCharCode.apply(null, d.subarray(i, i + 32768));
            return [c.width, c.height, btoa(s)];
        })()""")
        return text[0], text[1], base64.b64decode(text[2])

    def mouse(self, kind, x, y, button="none", buttons=0, **extra):
        params = {"type": kind, "x": x, "y": y, "button": button, "buttons": buttons, "clickCount": 1}
        params.update(extra)
        self.send("Input.dispatchMouseEvent", params)

    def problems(self):
        """Console errors, uncaught exceptions, dialogs and log errors seen so far."""
        found = []
        for e in self.events():
            m, p = e.get("method"), e.get("params", {})
            if m == "Runtime.exceptionThrown":
                found.append(f"exception: {p['exceptionDetails'].get('text')} {p['exceptionDetails'].get('exception', {}).get('description', '')}")
            elif m == "Runtime.consoleAPICalled" and p.get("type") in ("error", "assert"):
                found.append(f"console {p['type']}: {[a.get('value', a.get('description')) for a in p.get('args', [])]}")
            elif m == "Log.entryAdded" and p["entry"].get("level") == "error":
                found.append(f"log: {p['entry'].get('text')}")
            elif m == "Page.javascriptDialogOpening":
                found.append(f"dialog: {p.get('message')}")
        return found

    def requests(self):
        """URLs the page asked for, beyond the page's own document."""
        return [e["params"]["request"]["url"] for e in self.events("Network.requestWillBeSent")
                if e["params"].get("type") != "Document"]


def read_ppm(path):
    """(width, height, RGB bytes) of a binary PPM file."""
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    at = 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at) + 1
            continue
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    return int(fields[1]), int(fields[2]), data[at + 1:]
