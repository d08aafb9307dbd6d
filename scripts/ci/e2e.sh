#!/usr/bin/env bash
# The real Linux program end to end, in a desktop session under Xvfb, driven by keys and clicks
# only (tests/e2e): every way of choosing a folder in the pickers, and the three scans on the
# demo's drives. It fails unless every case the suite holds ran and passed.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
build=$(build_dir linux)
"$here/scripts/build.sh" quillfen >/dev/null
log=$build/e2e.log
screens=$build/e2e-screens
rm -rf "$screens"

start=$(now)
TESTS_LISTED=$(cd "$here/tests/e2e" && /usr/bin/python3 -c \
  'import unittest; print(unittest.defaultTestLoader.discover(".", "test_*.py").countTestCases())')
TESTS_STATUS=0
QUILLFEN_E2E_SCREENS=$screens bash "$here/tests/e2e/session.sh" "$build/src/app/quillfen" \
  >"$log" 2>&1 || TESTS_STATUS=$?
# unittest's own count: "Ran N tests", then "FAILED (failures=F, errors=E)" when any failed.
TESTS_RAN=$(sed -nE 's/^Ran ([0-9]+) tests? in .*/\1/p' "$log" | tail -n 1)
TESTS_FAILED=$({ grep -oE '^FAILED \(.*\)' "$log" || true; } | { grep -oE '(failures|errors)=[0-9]+' || true; } |
  awk -F= '{ s += $2 } END { print s + 0 }')
if ! verdict=$(tests_verdict e2e); then
  grep -E '^(FAIL|ERROR):|Error:|Timeout:' "$log" | head -n 40 || true
  verdict="$verdict; pictures of the screen at each timeout in $screens"
fi
echo "$verdict ($(seconds_since "$start")s; log $log)"
[[ "$verdict" != *FAILED* ]]
