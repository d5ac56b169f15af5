# Sourced by the screenshot scripts (make-window-shot.sh, make-find-shots.sh)
# with their BUILD_DIR argument: builds kestrin if it is not there, runs the
# calling script again on a virtual screen, starts the window on
# samples/kestrin.dat with a settings folder of its own (so no recent files
# or preview choice leak in), and gives it a fixed place, size and focus.
# Leaves $build, $pid and $window set.
build=${1:-build}
if [ ! -x "$build/bin/kestrin" ]; then
  cmake -S . -B "$build" -DKESTRIN_BENCH=OFF >/dev/null
  cmake --build "$build" -j2 --target kestrin >/dev/null
fi

if [ -z "${KESTRIN_SHOT_INSIDE:-}" ]; then
  KESTRIN_SHOT_INSIDE=1 exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$build"
fi

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
[ -n "$window" ] || { echo "$(basename "$0"): the window did not appear" >&2; exit 1; }

xdotool windowmove "$window" 0 0 windowsize "$window" 1000 680
sleep 1
xdotool windowfocus "$window" mousemove 500 400 click 1
sleep 0.3
