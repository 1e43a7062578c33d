#!/usr/bin/env bash
# Builds the Debian packages from a built tree, unpacks them into a temporary
# root with dpkg -x and checks that every file a user or a consumer needs is
# there. Leaves the root in <work>/root for the consumer test.
#   deb_test.sh <build dir> <work dir> <components, ;-separated>
set -euo pipefail
build=$1 work=$2 components=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
has_component() { [[ ";$components;" == *";$1;"* ]]; }

rm -rf "$work"
mkdir -p "$work/out" "$work/root"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack did not build the packages"
fi

deb_of() {
  local debs=("$work/out/$1"_*.deb)
  [ -f "${debs[0]}" ] || fail "no package $1 in $(ls "$work/out")"
  echo "${debs[0]}"
}

# Both packages: the licence as a machine-readable copyright file and the
# Debian changelog, whose latest entry is the package's version.
check_docs() {
  local deb=$1 package version doc
  package=$(dpkg-deb -f "$deb" Package)
  version=$(dpkg-deb -f "$deb" Version)
  doc=$root/usr/share/doc/$package
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$doc/copyright" 2>/dev/null || fail "$package: no machine-readable copyright file"
  grep -q '^License: Expat' "$doc/copyright" || fail "$package: the copyright file names no licence"
  gzip -dc "$doc/changelog.Debian.gz" >"$work/changelog" || fail "$package: no changelog.Debian.gz"
  [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "$package: the latest changelog entry is not version $version"
}

# ---- libif97-dev: static library, headers, CMake and pkg-config files -------
dev=$(deb_of libif97-dev)
dpkg-deb -x "$dev" "$work/root"
root=$work/root
check_docs "$dev"
for header in if97.h if97_state.h if97_version.h if97_c.h; do
  [ -f "$root/usr/include/if97/$header" ] || fail "$header is not in /usr/include/if97"
done
[ -e "$root/usr/include/if97.h" ] && fail "if97.h is still in /usr/include"
libdir=$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
lib=$libdir/libif97.a
[ -f "$lib" ] || fail "libif97.a is not in the multiarch directory: $(find "$root" -name libif97.a)"
ar t "$lib" | grep -q '\.o$' || fail "libif97.a holds no object files"
for pc in if97 if97c; do
  grep -qx 'prefix=/usr' "$libdir/pkgconfig/$pc.pc" 2>/dev/null ||
    fail "$pc.pc is missing or not for the prefix /usr"
done
config_dir=$libdir/cmake/if97
for f in if97Config.cmake if97ConfigVersion.cmake if97Targets.cmake; do
  [ -f "$config_dir/$f" ] || fail "$f is missing from the package config"
done
grep -rq "$build" "$config_dir" "$libdir/pkgconfig" && fail "the package config refers to the build tree"
grep -q 'if97::if97c' "$config_dir/if97Targets.cmake" || fail "the package config has no if97::if97c"

# ---- libif97c1: the C interface's shared library --------------------------------
clib=$(deb_of libif97c1)
dpkg-deb -x "$clib" "$root"
check_docs "$clib"
so=$libdir/libif97c.so.1
[ -L "$so" ] && [ -f "$(readlink -f "$so")" ] || fail "libif97c.so.1 is not a link to the library"
[ "$(readelf -d "$so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')" = libif97c.so.1 ] ||
  fail "the library's soname is not libif97c.so.1"
[ "$(readlink "$libdir/libif97c.so")" = libif97c.so.1 ] || fail "libif97-dev has no link libif97c.so"
dpkg-deb -c "$clib" | grep -q 'libif97c\.so ' && fail "the link libif97c.so is in the library's package"
[[ "$(dpkg-deb -f "$dev" Depends)" == *"libif97c1 (= $(dpkg-deb -f "$clib" Version))"* ]] ||
  fail "libif97-dev does not depend on this libif97c1"
dpkg-deb --ctrl-tarfile "$clib" | tar -xO ./triggers | grep -qx 'activate-noawait ldconfig' ||
  fail "libif97c1 does not activate the ldconfig trigger"
# Exported: the functions of if97_c.h, exactly the symbols file's, nothing of
# the C++ library inside.
exported=$(nm -D --defined-only "$so" | awk '{print $3}' | sort)
listed=$(dpkg-deb --ctrl-tarfile "$clib" | tar -xO ./symbols | sed -n 's/^ \([A-Za-z0-9_]*@[A-Z0-9_]*\) .*/\1/p' |
  sed 's/^\(.*\)@\(.*\)$/\1@@\2/; s/^\(IF97C_[0-9]*\)@@.*/\1/' | sort)
[ "$exported" = "$listed" ] || fail "the exported symbols are not the symbols file's:
$exported"
declared=$(sed -n 's/^IF97_C_API [^(]*[ *]\(if97_[a-z_]*\)(.*/\1/p' "$root/usr/include/if97/if97_c.h" | sort)
[ "$(grep -v '^IF97C_' <<<"$exported" | sed 's/@@.*//')" = "$declared" ] ||
  fail "the exported functions are not those if97_c.h declares"

# ---- steamcalc: program, menu entry, icons, dependencies ---------------------
if has_component Runtime; then
  app=$(deb_of steamcalc)
  dpkg-deb -x "$app" "$root"
  [ -x "$root/usr/bin/steamcalc" ] || fail "/usr/bin/steamcalc is missing or not executable"
  if readelf -d "$root/usr/bin/steamcalc" | grep -E 'RPATH|RUNPATH' | grep -q "$build"; then
    fail "the installed program keeps a run path into the build tree"
  fi

  [ "$("$root/usr/bin/if97" --version)" = "if97 $(dpkg-deb -f "$app" Version | cut -d- -f1)" ] ||
    fail "/usr/bin/if97 is missing or gives another version"
  [ -f "$root/usr/share/man/man1/if97.1.gz" ] || fail "the if97 manual page is missing"

  entry=$root/usr/share/applications/steamcalc.desktop
  [ -f "$entry" ] || fail "the desktop entry is missing"
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not a program of the package"
  check_docs "$app"
  [ -f "$root/usr/share/man/man1/steamcalc.1.gz" ] || fail "the manual page steamcalc(1) is missing"
  # The unpacked program answers --version without a display.
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/steamcalc" --version)" = \
    "steamcalc $(dpkg-deb -f "$app" Version | sed 's/-[^-]*$//')" ] ||
    fail "the packaged program does not report the package's version"

  icon_name=$(sed -n 's/^Icon=//p' "$entry")
  for size in 16 22 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png
    [ -f "$png" ] || fail "icon $png is missing"
    # PNG signature, then the IHDR chunk: width and height as 32-bit
    # big-endian, bit depth, colour type (6: RGB with alpha).
    read -r -a header <<<"$(od -An -tx1 -N26 "$png" | tr '\n' ' ')"
    [ "${header[*]:0:8}" = "89 50 4e 47 0d 0a 1a 0a" ] || fail "$png is not a PNG file"
    width=$((16#${header[16]}${header[17]}${header[18]}${header[19]}))
    height=$((16#${header[20]}${header[21]}${header[22]}${header[23]}))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] ||
      fail "$png is ${width}x$height, not ${size}x$size"
    [ "${header[25]}" = "06" ] || fail "$png has no alpha channel"
  done
  svg=$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg
  grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$svg" 2>/dev/null ||
    fail "the scalable icon $svg is missing"

  depends=$(dpkg-deb -f "$app" Depends)
  for pkg in libqt6widgets6 libjpeg62-turbo libc6 libstdc++6 fonts-liberation; do
    [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] ||
      fail "steamcalc does not depend on $pkg (Depends: $depends)"
  done
fi
# ---- python3-if97: the module in dist-packages, importable as installed ------
if has_component Python; then
  py=$(deb_of python3-if97)
  dpkg-deb -x "$py" "$root"
  check_docs "$py"
  package_dir=$root/usr/lib/python3/dist-packages/if97
  [ -f "$package_dir/__init__.py" ] || fail "if97/__init__.py is not in /usr/lib/python3/dist-packages"
  suffix=$(/usr/bin/python3 -c 'import sysconfig; print(sysconfig.get_config_var("EXT_SUFFIX"))')
  [ -f "$package_dir/_if97$suffix" ] || fail "no _if97$suffix in $(ls "$package_dir")"
  if readelf -d "$package_dir/_if97$suffix" | grep -E 'RPATH|RUNPATH' | grep -q "$build"; then
    fail "the installed module keeps a run path into the build tree"
  fi
  (cd / && PYTHONPATH=$root/usr/lib/python3/dist-packages PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 -c '
import if97
assert if97.__file__.startswith("'"$root"'"), if97.__file__
assert if97.state_pt(5, 300).region == 2
assert if97.state_pt([5, 150], 300).error.tolist() == [0, if97.OUT_OF_RANGE]
') || fail "the unpacked module does not import or compute"
  depends=$(dpkg-deb -f "$py" Depends)
  for pkg in python3 python3-numpy libc6 libstdc++6; do
    [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] ||
      fail "python3-if97 does not depend on $pkg (Depends: $depends)"
  done
  [ "$(dpkg-deb -f "$py" Section)" = python ] || fail "python3-if97 is not in section python"
fi
echo "packages: $(cd "$work/out" && ls ./*.deb | tr '\n' ' ')"
