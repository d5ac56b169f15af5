#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Remakes docs/window.png: the real window on samples/kestrin.dat, with the
# legend, the light-year circles, the truce line and two distance lines,
# driven by xdotool on a virtual screen.
#
#   docs/make-window-shot.sh [BUILD_DIR]     (default: build)
#
# Needs xvfb-run, xdotool and ImageMagick's import (see scripts/deps).
set -euo pipefail
cd "$(dirname "$0")/.."

source docs/shot-window.sh "${1:-build}"
for item in l y v; do xdotool key alt+v "$item"; sleep 0.3; done
# Zoom In four times from the toolbar, then two distance lines dragged with
# the right button: Moskash Nydarny to Quaquabra Galum Reach, on to Darnn.
for _ in 1 2 3 4; do xdotool mousemove 56 41 click 1; sleep 0.4; done
drag() { xdotool mousemove "$1" "$2" mousedown 3 mousemove "$3" "$4" mousemove "$5" "$6" mouseup 3; sleep 0.3; }
drag 300 411 400 470 508 542
drag 508 542 700 540 879 535
# The drag ends on Darnn: the pointer leaves the window, so that no planet
# tip (nor a toolbar button's) can show in the picture.
xdotool mousemove 1200 780
take_shot docs/window.png
echo "wrote docs/window.png"
