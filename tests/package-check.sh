#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian package of a build with CPack and checks it as a user's
# apt would get it: its control fields, dependencies that apt can satisfy
# here, exactly the files `cmake --install` installs (under /usr), a menu
# entry that starts in the folder of the packaged readme.txt, and programs
# that run: extracted into a throw-away root with dpkg -x, the packaged
# kestrin-render draws the packaged sample map pixel for pixel as the
# built one does. lintian reports neither errors nor warnings, and the
# control fields name no invented address.
#
#   package-check.sh BUILD_DIR VERSION [CMAKE [CPACK]]
#
# Every check runs; each failure is printed, and the exit status is 1 when
# any failed.
set -uo pipefail

build=$(cd "${1:?build folder}" && pwd)
version=${2:?version}
cmake=${3:-cmake}
cpack=${4:-cpack}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-package.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

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

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
deb=$tmp/out/kestrin_${version}_${arch}.deb
if [ ! -s "$deb" ]; then
  echo "FAIL: no $(basename "$deb"); cpack made: $(cd "$tmp/out" && ls ./*.deb 2>/dev/null)" >&2
  exit 1
fi
pass "cpack made $(basename "$deb")"

# --- control fields; the dependencies come from dpkg-shlibdeps
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kestrin ] && pass "Package: kestrin" || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] && pass "Version: $version" || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = "$arch" ] && pass "Architecture: $arch" || fail "Architecture: $(field Architecture)"
# The home page and the maintainer as configured: by default no Homepage
# field at all, and a maintainer's address under .invalid.
cached() { sed -n "s/^$1:STRING=//p" "$build/CMakeCache.txt"; }
homepage=$(cached KESTRIN_HOMEPAGE)
if [ -z "$homepage" ]; then
  dpkg-deb -f "$deb" | grep -q '^Homepage:' && fail "Homepage: $(field Homepage), none configured" || pass "no Homepage field"
else
  [ "$(field Homepage)" = "$homepage" ] && pass "Homepage: $homepage" || fail "Homepage: $(field Homepage), not $homepage"
fi
maintainer=$(cached KESTRIN_MAINTAINER)
[ "$(field Maintainer)" = "$maintainer" ] && pass "Maintainer: $maintainer" || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
names=$(sed 's/ ([^)]*)//g; s/, */\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  grep -qxF "$lib" <<<"$names" && pass "depends on $lib" || fail "Depends lacks $lib: '$depends'"
done
# apt's own answer, without installing: every dependency can be had.
if out=$(apt-get -s -o Debug::NoLocking=1 install "$deb" 2>&1) && grep -q '^Inst kestrin ' <<<"$out"; then
  pass "apt-get -s install ./$(basename "$deb")"
else
  fail "apt-get -s install: $out"
fi

# --- the same files as cmake --install, every one under /usr
"$cmake" --install "$build" --prefix "$tmp/installed/usr" >"$tmp/install.log" 2>&1 || fail "cmake --install: $(cat "$tmp/install.log")"
(cd "$tmp/installed" && find . -type f | sort) >"$tmp/installed.list"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$tmp/package.list"
if diff "$tmp/installed.list" "$tmp/package.list" >"$tmp/list.diff"; then
  pass "holds what cmake --install installs ($(wc -l <"$tmp/package.list") files)"
else
  fail "files differ from cmake --install (< installed, > packaged): $(cat "$tmp/list.diff")"
fi
grep -v '^\./usr/' "$tmp/package.list" | grep -q . && fail "files outside /usr: $(grep -v '^\./usr/' "$tmp/package.list")"

# --- extracted, as dpkg would unpack it
root=$tmp/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
entry=$(ls "$root"/usr/share/applications/*.desktop 2>/dev/null | head -n 1)
if [ -n "$entry" ] && grep -qx 'Path=/usr/share/kestrin' "$entry" && [ -s "$root/usr/share/kestrin/readme.txt" ]; then
  pass "menu entry starts in /usr/share/kestrin, which holds readme.txt"
else
  fail "menu entry '${entry#"$root"}' lacks Path=/usr/share/kestrin, or readme.txt is missing"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate-tree --no-net "$root" 2>&1) && pass "appstreamcli validate-tree" ||
    fail "appstreamcli validate-tree: $out"
else
  missing "appstreamcli (Debian's appstream package)"
fi
for f in usr/bin/kestrin usr/bin/kestrin-render; do
  file "$root/$f" | grep -q 'not stripped' && fail "$f is not stripped" || pass "$f stripped"
done

# The packaged renderer on the packaged map, with nothing of the build
# folder in reach, against the built renderer on the same file.
map=$root/usr/share/kestrin/kestrin.dat
view=(--size 900x700 --legend --circles --truce --zoom 3000)
(cd "$tmp" && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen \
   "$root/usr/bin/kestrin-render" "${view[@]}" -o "$tmp/packaged.png" "$map") 2>"$tmp/render.err"
rc=$?
[ $rc -eq 0 ] && [ -s "$tmp/packaged.png" ] && pass "packaged kestrin-render draws the packaged map" ||
  fail "packaged kestrin-render: status $rc, $(cat "$tmp/render.err")"
QT_QPA_PLATFORM=offscreen "$build/bin/kestrin-render" "${view[@]}" -o "$tmp/built.png" "$map" 2>/dev/null
if [ -s "$tmp/packaged.png" ] && [ -s "$tmp/built.png" ]; then
  differing=$(compare -metric AE "$tmp/packaged.png" "$tmp/built.png" null: 2>&1)
  colours=$(convert "$tmp/packaged.png" -unique-colors -format '%w' info: 2>&1)
  [ "$differing" = 0 ] && pass "same pixels as the built renderer" || fail "$differing pixels differ from the built renderer"
  [ "$colours" -ge 16 ] 2>/dev/null && pass "$colours colours: planets in their factions' colours" ||
    fail "the picture has $colours colours; a map with its legend has at least 16"
fi

if command -v lintian >/dev/null; then
  out=$(lintian --fail-on error,warning "$deb" 2>&1)
  [ $? -eq 0 ] && pass "lintian: no errors or warnings" || fail "lintian: $out"
else
  fail "lintian is not installed (scripts/deps package installs it)"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "all package checks passed"
