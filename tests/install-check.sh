#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a fresh prefix and checks what a Linux desktop gets
# from it: every installed file, the menu entry, the AppStream metadata, the
# manual pages, the programs' --help and --version without a display, and
# the program started as the menu entry starts it (its Path= and Exec= lines)
# on the installed sample map, where Help > View Readme opens the installed
# readme.txt.
#
#   install-check.sh BUILD_DIR VERSION [CMAKE]        everything but the icons
#   install-check.sh --icons BUILD_DIR VERSION [CMAKE] the icons alone
#
# Every check runs; each failure is printed, and the exit status is 1 when
# any failed. Without appstreamcli, or xvfb-run and xdotool (the program is
# then started off screen), those checks are skipped, except under CI=true,
# where a missing tool fails.
set -uo pipefail

icons_only=false
if [ "${1:-}" = --icons ]; then
  icons_only=true
  shift
fi
build=${1:?build folder}
version=${2:?version}
cmake=${3:-cmake}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-install.XXXXXX")
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
# A tool that is not installed: skipped on a developer's machine, a failure
# under CI (CI=true), where scripts/deps has installed every one.
missing() {
  if [ "${CI:-}" = true ]; then
    fail "$1 is not installed, and CI=true needs it"
  else
    echo "skip: $1 is not installed"
  fi
}

# Runs a command with no display at all and a platform that needs one, so
# any attempt to start the toolkit fails loudly; leaves its status in $rc and
# its output in $tmp/out and $tmp/err.
run_headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
}

# A prefix of the shape of /usr, so that AppStream's tree check finds it.
root=$tmp/root
p=$root/usr
if ! "$cmake" --install "$build" --prefix "$p" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log" >&2
  echo "FAIL: cmake --install $build" >&2
  exit 1
fi

check_icons() {
  local size file got
  for size in 16 32 48 64 128 256; do
    file=$p/share/icons/hicolor/${size}x${size}/apps/kestrin.png
    if [ ! -f "$file" ]; then
      fail "icon missing: ${file#"$p"/}"
      continue
    fi
    got=$(identify -format '%wx%h' "$file" 2>&1)
    [ "$got" = "${size}x${size}" ] && pass "icon ${size}x${size}" || fail "icon ${file#"$p"/} is $got"
  done
  file=$p/share/icons/hicolor/scalable/apps/kestrin.svg
  if [ -f "$file" ] && grep -q '<svg' "$file"; then
    pass "scalable icon"
  else
    fail "scalable icon missing or not SVG: ${file#"$p"/}"
  fi
}

if $icons_only; then
  check_icons
  [ "$failures" -eq 0 ] || { echo "$failures icon check(s) failed (the icons are installed by res/)" >&2; exit 1; }
  exit 0
fi

# --- the installed files
for f in bin/kestrin bin/kestrin-render; do
  if [ ! -x "$p/$f" ]; then
    fail "$f missing or not executable"
  elif readelf -d "$p/$f" 2>/dev/null | grep -E 'RPATH|RUNPATH' | grep -qF "$(cd "$build" && pwd)"; then
    fail "$f still looks for libraries in the build folder"
  else
    pass "$f"
  fi
done
# The menu entry's file is named after the AppStream id, whatever it is.
entries=("$p"/share/applications/*.desktop)
entry=${entries[0]}
id=$(basename "$entry" .desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "$entry" ] && pass "one menu entry: $id.desktop" ||
  fail "menu entries: ${entries[*]#"$p"/}"
for f in share/metainfo/$id.metainfo.xml share/man/man1/kestrin.1.gz share/man/man1/kestrin-render.1.gz \
         share/kestrin/kestrin.dat share/kestrin/readme.txt share/doc/kestrin/copyright share/doc/kestrin/changelog.gz; do
  [ -s "$p/$f" ] && pass "$f" || fail "$f missing or empty"
done
newest=$(zcat "$p/share/doc/kestrin/changelog.gz" 2>/dev/null | head -n 1)
[[ $newest == "kestrin ($version) "* ]] && pass "changelog starts at $version" || fail "changelog starts with '$newest', not $version"

# --- the menu entry
# Errors and warnings fail; a hint does not (Education and Science are both
# main categories, which the validator only remarks on).
if out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$(grep -v ': hint: ' <<<"$out")" ]; then
  pass "desktop-file-validate"
else
  fail "desktop-file-validate: $out"
fi
# Path=: Help > View Readme opens "readme.txt" in the working folder.
for line in Type=Application Name=Kestrin 'Exec=kestrin %f' "Path=$p/share/kestrin" Icon=kestrin Terminal=false \
            'Categories=Education;Science;Astronomy;'; do
  grep -qxF "$line" "$entry" && pass "entry has $line" || fail "entry lacks $line"
done

# --- the AppStream metadata
metainfo=$p/share/metainfo/$id.metainfo.xml
xml_value() { sed -n "s|.*<$1[^>]*>\([^<]*\)</$1>.*|\1|p" "$metainfo" | head -n 1; }
[ "$(xml_value id)" = "$id" ] && pass "metainfo id $id" || fail "metainfo id '$(xml_value id)', entry $id.desktop"
[ "$(xml_value launchable)" = "$id.desktop" ] && pass "metainfo launchable" || fail "metainfo launchable '$(xml_value launchable)'"
release=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
[ "$release" = "$version" ] && pass "metainfo's newest release $version" || fail "metainfo's newest release is '$release', not $version"
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && pass "appstreamcli validate" || fail "appstreamcli validate: $out"
  out=$(appstreamcli validate-tree --no-net "$root" 2>&1) && pass "appstreamcli validate-tree" ||
    fail "appstreamcli validate-tree: $out"
else
  missing "appstreamcli (Debian's appstream package)"
fi

# The licence: MIT for the project, CC0 for the metadata, and the copyright
# file in Debian's machine-readable form saying so.
[ "$(xml_value project_license)" = MIT ] && pass "metainfo project_license MIT" ||
  fail "metainfo project_license '$(xml_value project_license)'"
[ "$(xml_value metadata_license)" = CC0-1.0 ] && pass "metainfo metadata_license CC0-1.0" ||
  fail "metainfo metadata_license '$(xml_value metadata_license)'"
copyright=$p/share/doc/kestrin/copyright
if head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' &&
   grep -Pzq '\nFiles: \*\nCopyright: 2026 The Kestrin developers\nLicense: MIT\n' "$copyright" &&
   grep -qx 'License: MIT' "$copyright" && grep -qF 'Permission is hereby granted, free of charge' "$copyright"; then
  pass "copyright: MIT for the whole tree, with its text"
else
  fail "copyright file: $(head -n 12 "$copyright")"
fi

# No invented addresses: without KESTRIN_HOMEPAGE nothing names a web page,
# and the only mail domain is one that cannot exist. The addresses left are
# the SVG namespace and the copyright format's own.
# A build configured with an address of its own is judged without it.
configured=$(sed -n 's/^KESTRIN_HOMEPAGE:STRING=//p' "$build/CMakeCache.txt")
[ -z "$configured" ] && grep -q '<url\|<screenshot' "$metainfo" &&
  fail "metainfo names an address: $(grep '<url\|<image' "$metainfo")"
addresses=$(cd "$root" && grep -rIoE 'https?://[^ "<>)]*|[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]+' . |
  grep -vE ':http://www\.w3\.org/2000/svg$|:https://www\.debian\.org/doc/packaging-manuals/copyright-format/1\.0/$|@kestrin\.invalid$' |
  grep -vF "${configured:-(none)}" | sort -u)
signed=$(zcat "$p/share/doc/kestrin/changelog.gz" 2>/dev/null | sed -n 's/^ -- .*<\(.*\)>.*/\1/p' | sort -u)
[ -z "$addresses" ] && [ "$signed" = maintainers@kestrin.invalid ] && pass "no installed file names an address of its own" ||
  fail "addresses: $addresses; the changelog is signed by '$signed'"
# With an address set, the metadata names it as home page and the
# screenshot under it, and still validates.
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
if "$cmake" -S "$source_dir" -B "$tmp/addressed" -DBUILD_TESTING=OFF -DKESTRIN_BENCH=OFF \
     -DKESTRIN_HOMEPAGE='https://maps.example/kestrin' >"$tmp/addressed.log" 2>&1; then
  addressed=$tmp/addressed/share/$id.metainfo.xml
  if grep -qF '<url type="homepage">https://maps.example/kestrin/</url>' "$addressed" &&
     grep -qF '<image>https://maps.example/kestrin/docs/window.png</image>' "$addressed"; then
    pass "KESTRIN_HOMEPAGE gives the home page and the screenshot"
  else
    fail "KESTRIN_HOMEPAGE: $(grep -n 'url\|image' "$addressed")"
  fi
  if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net "$addressed" 2>&1) && pass "appstreamcli validate, with an address" ||
      fail "appstreamcli validate, with an address: $out"
  fi
else
  fail "configuring with KESTRIN_HOMEPAGE: $(tail -n 20 "$tmp/addressed.log")"
fi

# --- the manual pages
for page in kestrin kestrin-render; do
  file=$p/share/man/man1/$page.1.gz
  warnings=$(zcat "$file" | groff -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] && pass "groff $page.1" || fail "groff $page.1: $warnings"
  text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
  [ -n "$text" ] && grep -q "$version" <<<"$text" && pass "man -l $page.1.gz" || fail "man -l $page.1.gz shows nothing or no version"
  found=$(MANPATH=$p/share/man man -w "$page" 2>/dev/null)
  [ "$found" = "$file" ] && pass "man finds $page" || fail "MANPATH=\$prefix/share/man man -w $page gives '$found'"
done

# --- --help and --version with no display
# The version, then the licence in one line, the same in both programs.
licence='Copyright (c) 2026 The Kestrin developers. MIT License.'
run_headless "$p/bin/kestrin" --version
[ $rc -eq 0 ] && [ "$(cat "$tmp/out")" = "Kestrin $version"$'\n'"$licence" ] && [ ! -s "$tmp/err" ] &&
  pass "kestrin --version" || fail "kestrin --version: status $rc, '$(cat "$tmp/out" "$tmp/err")'"
run_headless "$p/bin/kestrin" --help
[ $rc -eq 0 ] && grep -q '^Usage: kestrin' "$tmp/out" && grep -qF -- '-pt FILE PRINTER DRIVER PORT' "$tmp/out" &&
  [ ! -s "$tmp/err" ] && pass "kestrin --help" || fail "kestrin --help: status $rc, '$(cat "$tmp/out" "$tmp/err")'"
run_headless "$p/bin/kestrin-render" --version
[ $rc -eq 0 ] && [ "$(cat "$tmp/out")" = "kestrin-render $version"$'\n'"$licence" ] && [ ! -s "$tmp/err" ] &&
  pass "kestrin-render --version" || fail "kestrin-render --version: status $rc, '$(cat "$tmp/out" "$tmp/err")'"
run_headless "$p/bin/kestrin-render" --help
[ $rc -eq 0 ] && grep -q '^Usage: kestrin-render' "$tmp/out" && grep -qF -- '--dpi N' "$tmp/out" &&
  [ ! -s "$tmp/err" ] && pass "kestrin-render --help" || fail "kestrin-render --help: status $rc, '$(cat "$tmp/err")'"
# A usage error is found after the toolkit has taken its own options out.
QT_QPA_PLATFORM=offscreen "$p/bin/kestrin-render" --bogus >"$tmp/out" 2>"$tmp/err"
rc=$?
[ $rc -eq 2 ] && [ ! -s "$tmp/out" ] && grep -q 'unknown option --bogus' "$tmp/err" &&
  pass "kestrin-render --bogus" || fail "kestrin-render --bogus: status $rc, '$(cat "$tmp/out" "$tmp/err")'"

# --- the installed sample map loads whole with the installed renderer
sample=$p/share/kestrin/kestrin.dat
QT_QPA_PLATFORM=offscreen "$p/bin/kestrin-render" -o "$tmp/sample.png" "$sample" >"$tmp/out" 2>"$tmp/err"
rc=$?
[ $rc -eq 0 ] && [ -s "$tmp/sample.png" ] && pass "sample map renders" || fail "sample map: status $rc, $(cat "$tmp/err")"

# --- started as the desktop starts it: in the entry's Path=, by its Exec=
# line with %f the sample. Qt hands a file to open to xdg-open; a stand-in
# records what Help > View Readme asks for.
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
workdir=$(sed -n 's/^Path=//p' "$entry" | head -n 1)
read -r -a words <<<"$exec_line"
for i in "${!words[@]}"; do
  [ "${words[$i]}" = %f ] && words[$i]=$sample
done
mkdir -p "$tmp/config" "$tmp/stand-in"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"$OPENED_LOG"\n' >"$tmp/stand-in/xdg-open"
chmod +x "$tmp/stand-in/xdg-open"
resolved=$(PATH="$p/bin:$PATH" command -v "${words[0]}")
[ "$resolved" = "$p/bin/kestrin" ] || fail "Exec's ${words[0]} resolves to '$resolved', not the installed program"
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  # On a virtual X screen: the window must appear, titled after the sample
  # map, and Help > View Readme must ask for the readme in Path=.
  cat >"$tmp/exec-x.sh" <<'INNER'
cd "$1" || { echo "cannot enter Path=$1"; exit 3; }
shift
"$@" >"$EXEC_OUT" 2>"$EXEC_ERR" &
pid=$!
window=
for _ in $(seq 50); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; echo "ended with status $?"; exit 1; fi
  window=$(xdotool search --onlyvisible --name 'Kestrin' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then kill -TERM "$pid"; echo "no window within 10 s"; exit 1; fi
xdotool getwindowname "$window"
# Help > View Readme from the keyboard; on a busy machine the menu may open
# too late for the second key, so a missed attempt is closed and repeated.
xdotool windowfocus --sync "$window"
for _ in 1 2 3; do
  xdotool key alt+h
  sleep 0.5
  xdotool key v
  for _ in $(seq 15); do [ -s "$OPENED_LOG" ] && break 2; sleep 0.2; done
  xdotool key Escape Escape
done
kill -TERM "$pid"
wait "$pid" 2>/dev/null
exit 0
INNER
  title=$(env -u QT_QPA_PLATFORM PATH="$tmp/stand-in:$p/bin:$PATH" XDG_CONFIG_HOME="$tmp/config" \
            EXEC_OUT="$tmp/exec.out" EXEC_ERR="$tmp/exec.err" OPENED_LOG="$tmp/opened" \
            xvfb-run -a -s '-screen 0 1024x768x24' bash "$tmp/exec-x.sh" "$workdir" "${words[@]}" 2>/dev/null)
  rc=$?
  [ $rc -eq 0 ] && grep -q 'kestrin' <<<"$title" && pass "started from Exec=$exec_line under Xvfb: window '$title'" ||
    fail "Exec=$exec_line under Xvfb: $title $(cat "$tmp/exec.err" 2>/dev/null)"
  opened=$(head -n 1 "$tmp/opened" 2>/dev/null)
  [ "$opened" = "file://$p/share/kestrin/readme.txt" ] && pass "Help > View Readme opens the installed readme.txt" ||
    fail "Help > View Readme asked xdg-open for '$opened', not file://$p/share/kestrin/readme.txt"
else
  command -v xvfb-run >/dev/null || missing "xvfb-run (Debian's xvfb package)"
  command -v xdotool >/dev/null || missing xdotool
  (cd "$workdir" && exec env PATH="$p/bin:$PATH" QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" \
     "${words[@]}" >"$tmp/exec.out" 2>"$tmp/exec.err") &
  pid=$!
  sleep 2
  if kill -0 "$pid" 2>/dev/null && [ "$(readlink "/proc/$pid/exe")" = "$(readlink -f "$p/bin/kestrin")" ]; then
    pass "started from Exec=$exec_line in Path=$workdir and still running after 2 s"
  else
    wait "$pid" 2>/dev/null
    fail "Exec=$exec_line in Path=$workdir ended within 2 s (status $?): $(cat "$tmp/exec.err")"
  fi
  kill -TERM "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null  # killed by the signal: its status says nothing
  pid=
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures install check(s) failed" >&2
  exit 1
fi
echo "all install checks passed"
