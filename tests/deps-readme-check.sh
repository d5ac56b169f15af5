#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The README's table of package groups lists exactly the packages that
# scripts/deps installs for each group, in the same order, and no group
# is missing from either.
#
#   deps-readme-check.sh SOURCE_DIR
set -uo pipefail

source_dir=${1:?source folder}
deps=$source_dir/scripts/deps
readme=$source_dir/README.md

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The groups as scripts/deps defines them: name=( words ... ), over one or
# more lines, up to the line that reads the groups asked for.
declared=$(awk '
  /^groups=/ { exit }
  /^[a-z]+=\(/ { name = $0; sub(/=.*/, "", name); open = 1; line = $0; sub(/^[a-z]+=\(/, "", line) }
  open && !/^[a-z]+=\(/ { line = $0 }
  open { done = sub(/\).*/, "", line); n = split(line, w, /[ \t]+/)
         for (i = 1; i <= n; i++) if (w[i] != "") words[name] = words[name] " " w[i]
         if (done) { print name ":" words[name]; open = 0 } }
' "$deps")
# The README's rows: | `group` | what for | `pkg` `pkg` ... |
listed=$(sed -n 's/^| `\([a-z]*\)` | [^|]* | \(.*\) |$/\1 \2/p' "$readme" |
  awk '{ name = $1; $1 = ""; gsub(/`/, ""); printf "%s:%s\n", name, $0 }' | sed 's/: */: /; s/ *$//')
declared=$(sed 's/: */: /; s/ *$//' <<<"$declared")

[ -n "$declared" ] || fail "no package groups found in scripts/deps"
if [ "$declared" = "$listed" ]; then
  echo "ok: the README lists the packages of scripts/deps:"
  echo "$declared"
else
  fail "the README's package groups differ from scripts/deps (< deps, > README):
$(diff <(echo "$declared") <(echo "$listed"))"
fi
exit $((failures > 0))
