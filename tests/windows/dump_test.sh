#!/usr/bin/env bash
# The C interface's states on Windows (under Wine) against the native ones:
# the C89 test program's --dump, every number as its bits, line for line.
#   dump_test.sh <native capi_c89_test> <capi_c89_test.exe> <command that runs a Windows program>...
set -euo pipefail
native=$1 exe=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$native" --dump >"$work/native"
# The C runtime of Windows writes "\r\n" for "\n" to a text stream.
"$@" "$exe" --dump | tr -d '\r' >"$work/windows"
lines=$(wc -l <"$work/native")
if ! cmp -s "$work/native" "$work/windows"; then
  echo "FAIL: $(diff "$work/native" "$work/windows" | grep -c '^<') of $lines states differ" >&2
  diff "$work/native" "$work/windows" | head -20 >&2
  exit 1
fi
echo "$lines states, bit for bit the same on Windows"
