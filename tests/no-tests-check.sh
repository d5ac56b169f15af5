#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures the source tree as an install, a package or scripts/run does:
# -DBUILD_TESTING=OFF, with every package that only the tests and benchmarks
# use disabled, so that a find_package of one of them outside their own
# folders fails here. The configured build must offer no test or benchmark.
#
#   no-tests-check.sh SOURCE_DIR [CMAKE]
set -uo pipefail

src=${1:?source folder}
cmake=${2:-cmake}
tmp=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-notests.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

disabled=()
for package in GTest GMock benchmark Qt6Test; do
  disabled+=("-DCMAKE_DISABLE_FIND_PACKAGE_$package=ON")
done
if ! "$cmake" -S "$src" -B "$tmp/build" -G "Unix Makefiles" -DBUILD_TESTING=OFF "${disabled[@]}" \
     >"$tmp/configure.log" 2>&1; then
  cat "$tmp/configure.log" >&2
  echo "FAIL: configuring with BUILD_TESTING=OFF needs a test package" >&2
  exit 1
fi
echo "ok: configures with BUILD_TESTING=OFF and GoogleTest, Google Benchmark and Qt Test disabled"

extra=$("$cmake" --build "$tmp/build" --target help | grep -E '_tests|bench|gtest' || true)
if [ -n "$extra" ]; then
  echo "FAIL: BUILD_TESTING=OFF still builds: $extra" >&2
  exit 1
fi
echo "ok: no test or benchmark target"
