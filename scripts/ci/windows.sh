#!/usr/bin/env bash
# The Windows build and its suites under Wine (a 32-bit prefix in build-win/wine):
#  - the test program: every engine and window-logic test, and GetOSName under each Windows
#    version Wine can report;
#  - the shipped (win32-model) build: quillfen.exe's imports against the allow-list and its
#    size, and the two-host check against the POSIX host's build of the differential program.
# Each build's CTest cases must all run and pass, and each Wine run says that every test its
# program lists ran. The Win32 windows themselves run in the next step, windows-ui.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
linux=$(build_dir linux)
program=$(build_dir win32)
tests=$(build_dir win32-tests)
start=$(now)

QUILLFEN_BUILD_DIR=$linux "$here/scripts/build.sh" quillfen_differential
QUILLFEN_NATIVE_DIFFERENTIAL=$linux/tests/differential/quillfen_differential \
  "$here/scripts/build-windows.sh" --tests

log=$program/windows-step.log
: >"$log.new"
verdicts=()
status=0
for preset in win32-tests win32; do
  ctest_run "$(build_dir "$preset")" "$log.new" -V --timeout 600
  verdict=$(tests_verdict "ctest ($preset)") || status=1
  verdicts+=("$verdict")
done
mv "$log.new" "$log"
if [ "$status" -ne 0 ]; then
  grep -v '^[0-9]*: Test command:\|^UpdateCTestConfiguration\|^Parse\|^ Add\|^Constructing\|^Checking\|^Test project' "$log" | tail -150
fi
echo "=== windows summary"
grep -ho '^[0-9]*: \(wine: .*\|GetOSName: .*\|imports: .*\|size: .*\|differential: .*\)' "$log" | sed 's/^[0-9]*: /  /'
printf '  %s\n' "${verdicts[@]}"
echo "  windows step: $([ "$status" -eq 0 ] && echo passed || echo FAILED) in $(seconds_since "$start")s"
exit "$status"
