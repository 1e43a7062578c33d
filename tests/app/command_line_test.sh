#!/usr/bin/env bash
# The program's command line without any display: --help and --version answer
# and exit 0 before the window system is touched; a plain start says in one
# line that a display is needed and exits 1 instead of Qt's abort.
#   command_line_test.sh <steamcalc executable> <project version>
set -euo pipefail
exe=$1 version=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program with no display of any kind; the output goes to out/err,
# the status to rc. A hang fails after 20 s.
run() {
  rc=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$exe" "${args[@]}" \
    2>"$tmp/err") || rc=$?
  err=$(cat "$tmp/err")
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for option in --version "-platform offscreen --version"; do
  read -r -a args <<<"$option"
  run
  [ "$rc" -eq 0 ] || fail "$option: exit status $rc ($err)"
  [ "$out" = "steamcalc $version" ] || fail "$option printed '$out'"
  [ -z "$err" ] || fail "$option wrote to stderr: $err"
done

for option in --help -h; do
  args=("$option")
  run
  [ "$rc" -eq 0 ] || fail "$option: exit status $rc ($err)"
  grep -q '^Usage: steamcalc' <<<"$out" || fail "$option printed no usage: $out"
  grep -q -- '--version' <<<"$out" || fail "$option does not mention --version"
done

# No display: X11 by default, and the xcb platform named explicitly.
for platform in "" xcb; do
  args=()
  if [ -n "$platform" ]; then run QT_QPA_PLATFORM=$platform; else run; fi
  [ "$rc" -eq 1 ] || fail "without a display (platform '$platform'): exit status $rc, not 1"
  [ -z "$out" ] || fail "without a display: wrote to stdout: $out"
  [ "$(wc -l <<<"$err")" -eq 1 ] || fail "without a display: not one line: $err"
  grep -q 'graphical display' <<<"$err" && grep -q 'xvfb-run steamcalc' <<<"$err" ||
    fail "without a display: $err"
done
echo "ok: --version, --help and the start without a display"
