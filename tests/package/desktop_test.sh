#!/usr/bin/env bash
# Validates the desktop entry with desktop-file-validate: errors, warnings and
# hints fail. Checks that the menu shows it under one main category and that a
# search for the words a user would type finds it. Skipped (77) where the
# validator is not installed.
#   desktop_test.sh <entry.desktop> <path of desktop-file-validate or empty>
set -euo pipefail
entry=$1 validate=${2:-}

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -z "$validate" ] || [ ! -x "$validate" ]; then
  echo "desktop-file-validate is not installed"
  exit 77
fi
report=$("$validate" "$entry" 2>&1) || { echo "$report"; exit 1; }
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Name=Расчет термодинамических свойств воды и водяного пара' "$entry" ||
  fail "the menu name is not the calculator's caption"
grep -q '^Comment=.' "$entry" || fail "no Comment"

# Menus search the name, the comment and the keywords, ignoring case.
words=$(grep -E '^(Name|GenericName|Comment|Keywords)=' "$entry" | cut -d= -f2- | tr ';' '\n')
for term in steam water IAPWS пар вода; do
  grep -qiF -- "$term" <<<"$words" || fail "a search for '$term' does not find the entry"
done
