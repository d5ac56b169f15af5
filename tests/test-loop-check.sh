#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The two runs of scripts/test, read from its plan (KESTRIN_TEST_PLAN=1)
# and put to this build's ctest:
#
#   test-loop-check.sh SOURCE_DIR BUILD_DIR CTEST
#
# - every test carries one label or more;
# - the quick run's ctest selects exactly the unit-labelled tests, and its
#   build target unit_tests holds every built program those tests start;
# - the full run's ctest, in the plain build and again in the sanitizer
#   build, selects every test.
set -uo pipefail

src=${1:?source folder}
build=${2:?build folder}
ctest=${3:?ctest}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Every test as "NAME<tab>LABELS<tab>PROGRAMS", programs being the files of
# the build's bin/ folder its command names.
"$ctest" --test-dir "$build" --show-only=json-v1 >"$tmp/tests.json" || { echo "FAIL: ctest cannot list" >&2; exit 1; }
python3 - "$tmp/tests.json" "$build/bin/" >"$tmp/tests" <<'PY' || exit 1
import json, os, sys
bin_dir = sys.argv[2]
for test in json.load(open(sys.argv[1]))["tests"]:
    labels = next((p["value"] for p in test.get("properties", []) if p["name"] == "LABELS"), [])
    programs = [os.path.basename(a) for a in test.get("command", []) if a.startswith(bin_dir)]
    print("\t".join([test["name"], ",".join(labels), ",".join(programs)]))
PY
[ -s "$tmp/tests" ] || fail "no tests listed in $build"
while IFS=$'\t' read -r name labels _; do
  [ -n "$labels" ] || fail "the test $name has no label"
done <"$tmp/tests"
awk -F'\t' '$2 ~ /(^|,)unit(,|$)/ {print $1}' "$tmp/tests" | sort >"$tmp/unit"
cut -f1 "$tmp/tests" | sort >"$tmp/all"
[ -s "$tmp/unit" ] || fail "no test is labelled unit"

# The tests one ctest line of the plan selects in this build, sorted.
selected() {
  local words=($1) args=() i
  for ((i = 1; i < ${#words[@]}; i++)); do
    case ${words[$i]} in
      --test-dir) i=$((i + 1)) ;;
      *) args+=("${words[$i]}") ;;
    esac
  done
  "$ctest" --test-dir "$build" -N "${args[@]}" | sed -n 's/^ *Test *#[0-9]*: *//p' | sort
}

plan() { (cd "$src" && KESTRIN_TEST_PLAN=1 scripts/test "$@"); }

quick=$(plan quick) || fail "scripts/test quick has no plan"
lines=$(grep -c '^ctest ' <<<"$quick")
[ "$lines" = 1 ] || fail "scripts/test quick runs ctest $lines times, not once"
diff <(selected "$(grep '^ctest ' <<<"$quick")") "$tmp/unit" >"$tmp/diff" ||
  fail "scripts/test quick does not run exactly the unit tests (< run, > labelled unit): $(cat "$tmp/diff")"
grep -q '^cmake --build build .*--target unit_tests' <<<"$quick" || fail "scripts/test quick does not build unit_tests"

built=" $(tr ';' ' ' <"$build/unit_tests.list") "
while IFS=$'\t' read -r name labels programs; do
  [[ ,$labels, == *,unit,* ]] || continue
  for program in ${programs//,/ }; do
    [[ $built == *" $program "* ]] || fail "the unit test $name runs $program, which unit_tests does not build"
  done
done <"$tmp/tests"

full=$(plan) || fail "scripts/test has no plan"
for dir in build build-asan; do
  line=$(grep "^ctest --test-dir $dir " <<<"$full")
  if [ -z "$line" ]; then
    fail "scripts/test runs no ctest in $dir"
  elif ! diff <(selected "$line") "$tmp/all" >"$tmp/diff"; then
    fail "scripts/test in $dir leaves tests out: $(cat "$tmp/diff")"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "ok: $(wc -l <"$tmp/unit") unit tests in the quick run, all $(wc -l <"$tmp/all") in the full run"
