#!/usr/bin/env bash
# Configures the project afresh with the tests and benchmarks off, in a build
# where GoogleTest, Google Benchmark and Qt Test cannot be found, and checks
# that the library and the program are there to build and that nothing of the
# tests, the benchmarks or take_screenshots is.
#   without_test_packages_test.sh <source dir> <work dir> <generator> <C++ compiler>
set -euo pipefail
source=$1 work=$2 generator=$3 compiler=$4

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
if ! cmake -S "$source" -B "$work" -G "$generator" -DCMAKE_CXX_COMPILER="$compiler" \
  -DBUILD_TESTING=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON >"$work.log" 2>&1; then
  cat "$work.log" >&2
  fail "the project does not configure without the test and benchmark packages"
fi

grep -qx 'STEAMCALC_BUILD_BENCHMARKS:BOOL=OFF' "$work/CMakeCache.txt" ||
  fail "the benchmarks are not off by default with BUILD_TESTING=OFF"

targets=$(cmake --build "$work" --target help | sed -n 's/^\(\.\.\. \)\{0,1\}\([A-Za-z0-9_]*\)[: ].*/\2/p')
for target in if97 steamcalc_command steamcalc_ui steamcalc; do
  grep -qx "$target" <<<"$targets" || fail "no target $target"
done
for target in library_equivalence_test command_command_test widgets_windows_test bench_rows \
  take_screenshots; do
  if grep -qx "$target" <<<"$targets"; then fail "target $target is configured"; fi
done
echo "configured without the test and benchmark packages: if97, steamcalc_command, steamcalc_ui, steamcalc"
rm -rf "$work" "$work.log"
