#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs scripts/add-spdx on copies, never on the tree itself: on invented
# files of every kind, checked line by line, and on a copy of every tracked
# file, which must still configure, parse and format as before, and which a
# second run leaves byte for byte as the first left it.
#
#   spdx-check.sh SOURCE_DIR [CMAKE]
#
# Every check runs; each failure is printed, and the exit status is 1 when
# any failed.
set -uo pipefail

source_dir=$(cd "${1:?source folder}" && pwd)
cmake=${2:-cmake}
script=$source_dir/scripts/add-spdx

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-spdx.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# --- invented files: where the line goes, in which syntax
cases=$tmp/cases
mkdir -p "$cases/sub" "$cases/build-x"
printf '#pragma once\n' >"$cases/a.h"
printf 'int main() {}\n' >"$cases/sub/b.cpp"
printf '#!/bin/sh\necho hi\n' >"$cases/run"
printf '#!/usr/bin/env python3\n# -*- coding: utf-8 -*-\nprint(1)\n' >"$cases/tool.py"
printf '<?xml version="1.0"?>\n<component/>\n' >"$cases/x.metainfo.xml.in"
printf '<!DOCTYPE html>\n<p>hi</p>\n' >"$cases/page.html"
printf 'p { }\n' >"$cases/page.css"
printf 'export const a = 1;\r\nexport const b = 2;\r\n' >"$cases/crlf.js"
printf '.TH X 1\n' >"$cases/x.1.in"
printf 'project(X)' >"$cases/CMakeLists.txt"
printf '#!/bin/sh' >"$cases/bare.sh"
: >"$cases/empty.c"
printf '// SPDX-License-Identifier: MIT\nint x;\n' >"$cases/done.c"
printf '#!/usr/bin/env python3\n"""Adds SPDX-License-Identifier: lines."""\n' >"$cases/adder"
printf 'Halden 1 2 KUL\n' >"$cases/map.dat"
printf 'print\n' >"$cases/corpus"
printf '[]\n' >"$cases/table.json"
printf 'int y;\n' >"$cases/build-x/skipped.cpp"
ln -s a.h "$cases/link.h"
chmod 755 "$cases/run"

expect() {  # file, expected bytes (printf format)
  local want
  want=$(printf "$2" | od -c)
  [ "$(od -c <"$cases/$1")" = "$want" ] && pass "$1" || fail "$1 is: $(od -c <"$cases/$1")"
}
"$script" --check "$cases" >"$tmp/before.out"
[ $? -eq 1 ] && pass "--check fails before" || fail "--check before: $(cat "$tmp/before.out")"
cp -a "$cases" "$tmp/cases-before"
[ "$(diff -r "$cases" "$tmp/cases-before" 2>&1)" = "" ] || fail "--check changed files"
if "$script" "$cases" >"$tmp/run.out"; then
  expect a.h '// SPDX-License-Identifier: MIT\n#pragma once\n'
  expect sub/b.cpp '// SPDX-License-Identifier: MIT\nint main() {}\n'
  expect run '#!/bin/sh\n# SPDX-License-Identifier: MIT\necho hi\n'
  expect tool.py '#!/usr/bin/env python3\n# -*- coding: utf-8 -*-\n# SPDX-License-Identifier: MIT\nprint(1)\n'
  expect x.metainfo.xml.in '<?xml version="1.0"?>\n<!-- SPDX-License-Identifier: CC0-1.0 -->\n<component/>\n'
  expect page.html '<!DOCTYPE html>\n<!-- SPDX-License-Identifier: MIT -->\n<p>hi</p>\n'
  expect page.css '/* SPDX-License-Identifier: MIT */\np { }\n'
  expect crlf.js '// SPDX-License-Identifier: MIT\r\nexport const a = 1;\r\nexport const b = 2;\r\n'
  expect x.1.in '.\\" SPDX-License-Identifier: MIT\n.TH X 1\n'
  expect CMakeLists.txt '# SPDX-License-Identifier: MIT\nproject(X)'
  expect bare.sh '#!/bin/sh\n# SPDX-License-Identifier: MIT\n'
  expect adder '#!/usr/bin/env python3\n# SPDX-License-Identifier: MIT\n"""Adds SPDX-License-Identifier: lines."""\n'
  expect empty.c '// SPDX-License-Identifier: MIT\n'
  for f in done.c map.dat corpus table.json build-x/skipped.cpp; do
    cmp -s "$cases/$f" "$tmp/cases-before/$f" && pass "$f untouched" || fail "$f changed"
  done
  [ -L "$cases/link.h" ] && pass "link stays a link" || fail "the link was replaced"
  [ "$(stat -c %a "$cases/run")" = 755 ] && pass "mode kept" || fail "mode is $(stat -c %a "$cases/run")"
else
  fail "add-spdx on the invented files: $(cat "$tmp/run.out")"
fi
hidden=$(find "$cases" -name '.*' -newer "$tmp/before.out")
[ -z "$hidden" ] && pass "no hidden file left" || fail "left: $hidden"

# Output that cannot be written is a failure, not a silent success.
"$script" --check "$tmp/cases-before" >/dev/full 2>"$tmp/full.err"
rc=$?
[ $rc -eq 2 ] && grep -q 'No space left' "$tmp/full.err" && pass "--check to /dev/full fails" ||
  fail "--check to /dev/full: status $rc, $(cat "$tmp/full.err")"

# --- a copy of the tracked tree
tree=$tmp/tree
mkdir "$tree"
(cd "$source_dir" && git ls-files -z | xargs -0 cp -a --parents -t "$tree") || fail "copying the tree"
(cd "$tree" && git init -q && git add -A) || fail "git init in the copy"
if (cd "$tree" && "$script" >"$tmp/tree.out"); then
  pass "add-spdx on the copy: $(wc -l <"$tmp/tree.out") files"
else
  fail "add-spdx on the copy: $(cat "$tmp/tree.out")"
fi
(cd "$tree" && "$script" --check >"$tmp/check.out") && pass "--check passes after" || fail "--check: $(head "$tmp/check.out")"
sums() { (cd "$tree" && git ls-files -z | xargs -0 sha1sum); }
first=$(sums)
(cd "$tree" && "$script" >"$tmp/again.out") || fail "second run"
[ "$(sums)" = "$first" ] && [ ! -s "$tmp/again.out" ] && pass "a second run changes nothing" ||
  fail "second run changed: $(cat "$tmp/again.out")"
for f in LICENSE README.md share/copyright share/changelog samples/kestrin.dat samples/readme.txt; do
  git -C "$tree" diff --quiet -- "$f" && pass "$f untouched" || fail "$f changed"
done

# What the copy is made of still works as before.
while IFS= read -r -d '' f; do
  head -n 1 "$tree/$f" | grep -q '^#!.*sh$' || continue
  bash -n "$tree/$f" 2>"$tmp/sh.err" || fail "bash -n $f: $(cat "$tmp/sh.err")"
done < <(cd "$tree" && git ls-files -z -- '*.sh' scripts)
py=$(cd "$tree" && git ls-files -- '*.py')
for f in $py; do
  python3 -c 'import ast, sys; ast.parse(open(sys.argv[1], "rb").read())' "$tree/$f" 2>"$tmp/py.err" ||
    fail "python parse $f: $(cat "$tmp/py.err")"
done
for page in "$tree"/share/man/*.1.in; do
  out=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
  [ -z "$out" ] && pass "groff $(basename "$page")" || fail "groff $(basename "$page"): $out"
done
meta=$tree/share/kestrin.metainfo.xml.in
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$meta" 2>"$tmp/xml.err" &&
  head -n 1 "$meta" | grep -q '^<?xml' && pass "metainfo is XML, its declaration first" ||
  fail "metainfo: $(cat "$tmp/xml.err")"
if "$cmake" -S "$tree" -B "$tmp/configured" -DBUILD_TESTING=OFF >"$tmp/cmake.log" 2>&1; then
  pass "the copy configures"
else
  fail "cmake on the copy: $(tail -n 20 "$tmp/cmake.log")"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures licence-line check(s) failed" >&2
  exit 1
fi
echo "all licence-line checks passed"
