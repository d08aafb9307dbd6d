#!/usr/bin/env bash
# The Windows build and its suites under Wine (a 32-bit prefix in build-win/wine):
#  - the test program: every engine and window-logic test, and GetOSName under each Windows
#    version Wine can report;
#  - the shipped (win32-model) build: quillfen.exe's imports against the allow-list and its
#    size, and the two-host check against the POSIX host's build of the differential program.
# The Win32 windows themselves run in the next step, windows-ui.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
linux=${QUILLFEN_BUILD_DIR:-$here/build}
program=${QUILLFEN_WINDOWS_BUILD_DIR:-$here/build-win}
tests=${QUILLFEN_WINDOWS_TESTS_DIR:-$here/build-win-tests}
start=$(date +%s)

QUILLFEN_BUILD_DIR=$linux "$here/scripts/build.sh" quillfen_differential
QUILLFEN_NATIVE_DIFFERENTIAL=$linux/tests/differential/quillfen_differential \
  "$here/scripts/build-windows.sh" --tests

log=$program/windows-step.log
status=0
for build in "$tests" "$program"; do
  (cd "$build" && ctest -V --timeout 600) >>"$log.new" 2>&1 || status=1
done
mv "$log.new" "$log"
if [ "$status" -ne 0 ]; then
  grep -v '^[0-9]*: Test command:\|^UpdateCTestConfiguration\|^Parse\|^ Add\|^Constructing\|^Checking\|^Test project' "$log" | tail -150
fi
echo "=== windows summary"
grep -ho '^[0-9]*: \(wine: .*\|GetOSName: .*\|imports: .*\|size: .*\|differential: .*\)' "$log" | sed 's/^[0-9]*: /  /'
grep -h 'tests passed, \|tests failed out of' "$log" | sed 's/^/  ctest: /'
echo "  windows step: $([ "$status" -eq 0 ] && echo passed || echo FAILED) in $(( $(date +%s) - start ))s"
exit "$status"
