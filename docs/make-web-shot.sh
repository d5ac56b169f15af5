#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Remakes docs/web-page.png: the web page of samples/kestrin.dat (legend,
# light-year circles, truce line, one distance line) in headless Chromium,
# 1280 x 800, zoomed in near the middle of the map, with "ost" typed into
# Find planet and the pointer resting on a planet; taken over the DevTools
# pipe once the page says it is ready (tests/web/cdp.py). (Firefox's own
# headless screenshot is taken at the load event, before the page has
# inflated its code, so it shows only the panels.)
#
#   docs/make-web-shot.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
page="$build/web-page.html"
QT_QPA_PLATFORM=offscreen "$build/bin/kestrin-render" --legend --circles --truce \
  --measure -900,700,-300,1300 -o "$page" samples/kestrin.dat
url="file://$(realpath "$page")#zoom=1250&center=-350,900"
PYTHONPATH=tests/web python3 - "$url" docs/web-page.png <<'PY'
import base64, sys, time
import cdp
browser = cdp.Browser(1280, 800)
try:
    tab = browser.new_tab(1280, 800)
    assert tab.open(sys.argv[1]) == "ready"
    tab.eval("document.getElementById('find').focus()")
    tab.send("Input.insertText", {"text": "ost"})
    x, y = tab.eval("(() => { const i = kestrinPage.map.names.indexOf('Ishostpry');"
                    " return [kestrinPage.view.deviceX(kestrinPage.map.x[i]), kestrinPage.view.deviceY(kestrinPage.map.y[i])]; })()")
    tab.mouse("mouseMoved", x, y)
    time.sleep(0.3)
    shot = tab.send("Page.captureScreenshot", {"format": "png"})
    with open(sys.argv[2], "wb") as f:
        f.write(base64.b64decode(shot["data"]))
finally:
    browser.close()
PY
