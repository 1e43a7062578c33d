#!/usr/bin/env bash
# Builds the consumer programs against the library packages unpacked by
# package.deb, each twice: the C++ one as a CMake project (find_package(if97),
# if97::if97) and with g++ and pkg-config (if97); the C one, in C89, as a
# CMake project (if97::if97c) and with gcc and pkg-config (if97c). Runs them.
#   consumer_test.sh <consumer source dir> <C consumer source dir> <work dir of package.deb> <version>
set -euo pipefail
source=$1 c_source=$2 work=$3 version=$4
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

# ---- the C interface, from C89 -----------------------------------------------
# Steam as above; water at 3 MPa with 500 kJ/kg from the forward equation of
# region 1 (118.64 degC, where the backward equation gives 118.65).
expected_c="if97c $version
if97_pt(5, 300): h = 2925.64 kJ/kg, region 2
if97_value(\"ph\", 3, 500, \"t\") = 118.642 degC
x of superheated steam: property not defined for this state"
build=$work/consumer-c-build
rm -rf "$build"
if ! cmake -S "$c_source" -B "$build" -G Ninja -DCMAKE_PREFIX_PATH="$root" >"$work/consumer-c.log" 2>&1 ||
  ! cmake --build "$build" >>"$work/consumer-c.log" 2>&1; then
  cat "$work/consumer-c.log" >&2
  fail "the C consumer project does not build against the installed packages"
fi
output=$("$build/consumer_c")
echo "$output"
[ "$output" = "$expected_c" ] || fail "unexpected output of the CMake C consumer: $output"

[ "$(pkg-config --modversion if97c)" = "$version" ] || fail "pkg-config does not give if97c $version"
flags=$(pkg-config --cflags --libs if97c)
# shellcheck disable=SC2086 # the flags are words
if ! ${CC:-gcc} -std=c89 -pedantic -Werror ${CFLAGS:-} "$c_source/main.c" $flags ${LDFLAGS:-} \
  -o "$work/consumer-c-pc" >"$work/consumer-c-pc.log" 2>&1; then
  cat "$work/consumer-c-pc.log" >&2
  fail "gcc -std=c89 main.c \$(pkg-config --cflags --libs if97c) does not build"
fi
output=$(LD_LIBRARY_PATH=$(dirname "$PKG_CONFIG_LIBDIR") "$work/consumer-c-pc")
[ "$output" = "$expected_c" ] || fail "unexpected output of the pkg-config C consumer: $output"
echo "pkg-config: $flags"
