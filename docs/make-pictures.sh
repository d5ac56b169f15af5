#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Remakes the pictures of the README from samples/kestrin.dat with
# kestrin-render: docs/sample-map.png (the window's view),
# docs/printed-page.png (the same view as the printed page) and
# docs/route.png (a route of three jumps, its stops numbered, fitted into
# the picture).
#
#   docs/make-pictures.sh [BUILD_DIR]     (default: build)
#
# Builds kestrin-render in BUILD_DIR first if it is not there. The names are
# drawn in Liberation Sans (fonts-liberation2, see scripts/deps); another
# font gives other pixels. docs/window.png is a screenshot of the real
# window, made by docs/make-window-shot.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
render=$build/bin/kestrin-render
if [ ! -x "$render" ]; then
  cmake -S . -B "$build" -DKESTRIN_BENCH=OFF >/dev/null
  cmake --build "$build" -j2 --target kestrin-render >/dev/null
fi

# The same pictures on every machine: no display, no scaling.
export QT_QPA_PLATFORM=offscreen
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# North-west of the centre, where the 100 light-year circle crosses the
# truce line through Morvath. Two distance lines between real planets:
# Vorrinrin Ishfen to Ringalgal Kazed, Galdar Zedel to Linnymos Rinrin.
view=(--zoom 1100 --center -1500,-1560 --circles --truce
      --measure -1090,-1410,-1760,-1200 --measure -1340,-1810,-950,-1660)

"$render" --size 1200x800 --legend "${view[@]}" -o docs/sample-map.png samples/kestrin.dat
"$render" --print --dpi 100 "${view[@]}" -o docs/printed-page.png samples/kestrin.dat
"$render" --route "Kaquany Ostdar" "Prytha Ostny Minor" --jump 25 --size 900x600 --circles --truce \
  -o docs/route.png samples/kestrin.dat >/dev/null
echo "wrote docs/sample-map.png, docs/printed-page.png and docs/route.png"
