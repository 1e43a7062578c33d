#!/usr/bin/env bash
# Runs lintian on the packages that package.deb built; any error or warning
# fails. Skipped (77) where lintian is not installed (scripts/package
# installs it).
#   lintian_test.sh <work dir of package.deb>
set -euo pipefail
work=$1

command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
debs=("$work"/out/*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no packages in $work/out" >&2; exit 1; }
# lintian warns when run as root; that line is not about the packages.
report=$(lintian --fail-on error,warning "${debs[@]}" 2>&1) || { echo "$report"; exit 1; }
echo "${report:-lintian: no errors or warnings}"
