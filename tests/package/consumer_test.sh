#!/usr/bin/env bash
# Builds the consumer project against the library package unpacked by
# package.deb (find_package(if97), if97::if97) and runs it.
#   consumer_test.sh <consumer source dir> <work dir of package.deb>
set -euo pipefail
source=$1 work=$2
root=$work/root/usr

fail() { echo "FAIL: $*" >&2; exit 1; }

build=$work/consumer-build
rm -rf "$build"
if ! cmake -S "$source" -B "$build" -G Ninja -DCMAKE_PREFIX_PATH="$root" >"$work/consumer.log" 2>&1 ||
  ! cmake --build "$build" >>"$work/consumer.log" 2>&1; then
  cat "$work/consumer.log" >&2
  fail "the consumer project does not build against the installed package"
fi
found=$(sed -n 's/^if97_DIR:PATH=//p' "$build/CMakeCache.txt")
[[ "$found" == "$root"/* ]] || fail "find_package(if97) found $found, not the unpacked package"

output=$("$build/consumer")
echo "$output"
# Superheated steam at 5 MPa, 300 degC: 2925.644 kJ/kg from the region 2 basic
# equation (IAPWS-IF97 eq. 15, Tables 10 and 11), evaluated independently.
[ "$output" = "h_pt(5, 300) = 2925.64 kJ/kg" ] || fail "unexpected output: $output"
