#!/usr/bin/env bash
# Builds the consumer program against the library package unpacked by
# package.deb, twice: as a CMake project (find_package(if97), if97::if97) and
# with g++ and pkg-config alone; runs both.
#   consumer_test.sh <consumer source dir> <work dir of package.deb> <version>
set -euo pipefail
source=$1 work=$2 version=$3
root=$work/root/usr

fail() { echo "FAIL: $*" >&2; exit 1; }

# Superheated steam at 5 MPa, 300 degC: 2925.644 kJ/kg from the region 2 basic
# equation (IAPWS-IF97 eq. 15, Tables 10 and 11), evaluated independently.
expected="if97 $version
h_pt(5, 300) = 2925.64 kJ/kg"

# ---- CMake ---------------------------------------------------------------------
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
[ "$output" = "$expected" ] || fail "unexpected output of the CMake consumer: $output"

# ---- pkg-config ----------------------------------------------------------------
# The unpacked root stands for /: the sysroot prefixes the paths of if97.pc,
# which pkg-config would otherwise drop as the system's own directories.
export PKG_CONFIG_LIBDIR=$root/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/pkgconfig
export PKG_CONFIG_SYSROOT_DIR=$work/root PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
[ "$(pkg-config --modversion if97)" = "$version" ] || fail "pkg-config does not give version $version"
flags=$(pkg-config --cflags --libs if97)
[[ "$flags" == *"-I$root/include"* ]] || fail "pkg-config --cflags if97 misses the include directory: $flags"
# shellcheck disable=SC2086 # the flags are words
if ! ${CXX:-g++} ${CXXFLAGS:-} "$source/main.cpp" $flags ${LDFLAGS:-} -o "$work/consumer-pc" \
  >"$work/consumer-pc.log" 2>&1; then
  cat "$work/consumer-pc.log" >&2
  fail "g++ main.cpp \$(pkg-config --cflags --libs if97) does not build"
fi
output=$("$work/consumer-pc")
[ "$output" = "$expected" ] || fail "unexpected output of the pkg-config consumer: $output"
echo "pkg-config: $flags"
