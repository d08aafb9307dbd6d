#!/usr/bin/env bash
# The real Linux program end to end, in a desktop session under Xvfb, driven by keys and clicks
# only (tests/e2e): every way of choosing a folder in the pickers, and the three scans on the
# demo's drives. It fails unless every case the suite holds ran and passed.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${QUILLFEN_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" quillfen >/dev/null
log=$build/e2e.log
screens=$build/e2e-screens
rm -rf "$screens"

start=$(date +%s)
cases=$(cd "$here/tests/e2e" && /usr/bin/python3 -c \
  'import unittest; print(unittest.defaultTestLoader.discover(".", "test_*.py").countTestCases())')
status=0
QUILLFEN_E2E_SCREENS=$screens bash "$here/tests/e2e/session.sh" "$build/src/app/quillfen" \
  >"$log" 2>&1 || status=$?
ran=$(sed -nE 's/^Ran ([0-9]+) tests? in .*/\1/p' "$log" | tail -n 1)
if [ "$status" -ne 0 ] || [ "${ran:-0}" -ne "$cases" ] || [ "$cases" -eq 0 ]; then
  grep -E '^(FAIL|ERROR):|Error:|Timeout:' "$log" | head -n 40 || true
  outcome="FAILED (exit $status; pictures of the screen at each timeout in $screens)"
else
  outcome=passed
fi
echo "e2e: ${ran:-0} of $cases cases ran ($(( $(date +%s) - start ))s; log $log): $outcome"
[ "$outcome" = passed ]
