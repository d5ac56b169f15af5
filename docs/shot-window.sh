# SPDX-License-Identifier: MIT
# Sourced by the screenshot scripts (make-window-shot.sh, make-find-shots.sh)
# with their BUILD_DIR argument: builds kestrin if it is not there, runs the
# calling script again on a virtual screen, starts the window on
# samples/kestrin.dat with a settings folder of its own (so no recent files
# or preview choice leak in), and gives it a fixed place, size and focus.
# Leaves $build, $pid and $window set, and defines take_shot.
build=${1:-build}
if [ ! -x "$build/bin/kestrin" ]; then
  cmake -S . -B "$build" -DKESTRIN_BENCH=OFF >/dev/null
  cmake --build "$build" -j2 --target kestrin >/dev/null
fi

if [ -z "${KESTRIN_SHOT_INSIDE:-}" ]; then
  KESTRIN_SHOT_INSIDE=1 exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$build"
fi

shot_tmp=$(mktemp -d)
export XDG_CONFIG_HOME=$shot_tmp/config XDG_RUNTIME_DIR=$shot_tmp/runtime
mkdir -m 700 "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
# Nothing of the desktop the script is started from may change the pixels:
# no scaling, no platform theme, and the interface font pinned to DejaVu
# Sans, whatever other fonts are installed (the map's "Arial" still comes
# from the system's aliases, as Liberation Sans).
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE \
  XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
cat >"$shot_tmp/fonts.conf" <<'FONTS'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="strong"><family>Sans Serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
</fontconfig>
FONTS
export FONTCONFIG_FILE=$shot_tmp/fonts.conf
[ "$(fc-match -f '%{file}' 'Sans Serif')" = "$(fc-match -f '%{file}' 'DejaVu Sans')" ] &&
  fc-match -f '%{family}' 'DejaVu Sans' | grep -q '^DejaVu Sans' ||
  { echo "$(basename "$0"): DejaVu Sans is missing (scripts/deps test installs it)" >&2; exit 1; }
"$build/bin/kestrin" samples/kestrin.dat 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$shot_tmp"' EXIT

# Takes the window into $1 once two pictures taken half a second apart
# agree, so a repaint still under way on a busy machine is never taken.
take_shot() {
  local previous=$shot_tmp/previous.png current=$shot_tmp/current.png
  import -window "$window" "$previous"
  for _ in $(seq 20); do
    sleep 0.5
    import -window "$window" "$current"
    if [ "$(compare -metric AE "$previous" "$current" null: 2>&1)" = 0 ]; then
      # Without the time chunks, the same pixels give the same bytes.
      convert "$current" -define png:exclude-chunks=date,time "$1"
      return
    fi
    mv "$current" "$previous"
  done
  echo "$(basename "$0"): the window did not come to rest" >&2
  return 1
}

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
