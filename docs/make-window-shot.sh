#!/usr/bin/env bash
# Remakes docs/window.png: the real window on samples/kestrin.dat, with the
# legend, the light-year circles, the truce line and two distance lines,
# driven by xdotool on a virtual screen.
#
#   docs/make-window-shot.sh [BUILD_DIR]     (default: build)
#
# Needs xvfb-run, xdotool and ImageMagick's import (see scripts/deps).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
if [ ! -x "$build/bin/kestrin" ]; then
  cmake -S . -B "$build" -DKESTRIN_BENCH=OFF >/dev/null
  cmake --build "$build" -j2 --target kestrin >/dev/null
fi

if [ -z "${KESTRIN_SHOT_INSIDE:-}" ]; then
  KESTRIN_SHOT_INSIDE=1 exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$build"
fi

# A settings folder of its own, so no recent files or preview choice leak in.
export XDG_CONFIG_HOME=$(mktemp -d) XDG_RUNTIME_DIR=$(mktemp -d)
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
"$build/bin/kestrin" samples/kestrin.dat 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=""
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --name Kestrin 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "make-window-shot: the window did not appear" >&2; exit 1; }

xdotool windowmove "$window" 0 0 windowsize "$window" 1000 680
sleep 1
xdotool windowfocus "$window" mousemove 500 400 click 1
sleep 0.3
for item in l y v; do xdotool key alt+v "$item"; sleep 0.3; done
# Zoom In four times from the toolbar, then two distance lines dragged with
# the right button: Moskash Nydarny to Quaquabra Galum Reach, on to Darnn.
for _ in 1 2 3 4; do xdotool mousemove 56 41 click 1; sleep 0.4; done
drag() { xdotool mousemove "$1" "$2" mousedown 3 mousemove "$3" "$4" mousemove "$5" "$6" mouseup 3; sleep 0.3; }
drag 300 411 400 470 508 542
drag 508 542 700 540 879 535
sleep 0.5
import -window "$window" docs/window.png
echo "wrote docs/window.png"
