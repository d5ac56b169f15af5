#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Remakes docs/hover.png and docs/center-on.png: the real window on
# samples/kestrin.dat, driven by xdotool on a virtual screen.
#  - hover.png: Center On "Ishostpry", four Zoom Ins, and the pointer at
#    rest on the planet in the middle of the view, its tip showing;
#  - center-on.png: Center On with "ost" typed and the list of names under
#    the field.
# It then chooses the first name of that list with Down and Enter, presses
# Enter again, and takes BUILD_DIR/center-on-after.png, which shows the view
# centred on that planet ("Ostgal Vormos Hollow" in the middle).
#
#   docs/make-find-shots.sh [BUILD_DIR]     (default: build)
#
# Needs xvfb-run, xdotool and ImageMagick's import (see scripts/deps).
set -euo pipefail
cd "$(dirname "$0")/.."

source docs/shot-window.sh "${1:-build}"

center_on() {  # types $1 into Center On; the dialog stays open
  xdotool key ctrl+c
  sleep 0.6
  xdotool type --delay 120 "$1"
  sleep 0.6
}

# The view's middle on this screen: the client area starts below the menu
# bar and toolbar, and its mapping is centred on the area less the scroll
# bars.
middle_x=${KESTRIN_SHOT_MIDDLE_X:-486}
middle_y=${KESTRIN_SHOT_MIDDLE_Y:-350}

center_on Ishostpry
xdotool key Return   # nothing in the list is highlighted: OK
sleep 0.4
for _ in 1 2 3 4; do xdotool key KP_Add; sleep 0.3; done
# Tips show only in the active window; without a window manager the closed
# dialog leaves no window active.
xdotool windowfocus "$window"
sleep 0.3
xdotool mousemove $((middle_x + 40)) $((middle_y + 40))
sleep 0.3
xdotool mousemove $((middle_x + 3)) "$middle_y"
sleep 2   # well past the tooltip delay
import -window root -crop 1000x680+0+0 docs/hover.png
echo "wrote docs/hover.png"

xdotool mousemove 900 600
sleep 0.3
center_on ost
import -window root -crop 1000x680+0+0 docs/center-on.png
echo "wrote docs/center-on.png"
xdotool key Down Return
sleep 0.4
xdotool key Return
sleep 0.8
import -window root -crop 1000x680+0+0 "$build/center-on-after.png"
echo "wrote $build/center-on-after.png"
