#!/usr/bin/env bash
# Validates the desktop entry with desktop-file-validate: errors and warnings
# fail, hints pass. Skipped (77) where the validator is not installed.
#   desktop_test.sh <entry.desktop> <path of desktop-file-validate or empty>
set -euo pipefail
entry=$1 validate=${2:-}

if [ -z "$validate" ] || [ ! -x "$validate" ]; then
  echo "desktop-file-validate is not installed"
  exit 77
fi
report=$("$validate" "$entry" 2>&1) || { echo "$report"; exit 1; }
echo "$report"
if grep -Eq '(error|warning):' <<<"$report"; then exit 1; fi
grep -qx 'Name=Расчет термодинамических свойств воды и водяного пара' "$entry" || {
  echo "FAIL: the menu name is not the calculator's caption"
  exit 1
}
